// The data checker's pieces. Each Check looks at one kind of data (pictures, sounds, layouts,
// records, texts...) and reports what is wrong through the Context, which also resolves the names
// data files give each other. A check that needs resources built by the engine says which element
// kinds it needs; while one of their factories is not registered the check is skipped and the
// report says so. Add a check: derive from Check, add it to MakeChecks (Checks.cpp).
#pragma once

#include "DataIndex.h"
#include "Report.h"

#include <memory>
#include <string>
#include <vector>

namespace Corvane::DataCheck
{
// Element kinds a reference may name, such as {L"imagelist", L"filmstrip"}.
using Kinds = std::vector<const wchar_t*>;

// What the engine made of the data folder.
class IEngineView
{
public:
    virtual ~IEngineView() = default;
    // Whether the engine has a factory for manifest elements of this kind.
    virtual bool HasFactory(const std::wstring& kind) const = 0;
    // Whether the resource manager holds a resource of that name.
    virtual bool IsLoaded(Label name) const = 0;
    // Whether reading the manifest stopped with an error (its later resources are missing).
    virtual bool LoadFailed(const Manifest& manifest) const = 0;
    // What the engine wrote to its debug output while it read the manifest, line by line.
    virtual std::vector<std::string> Messages(const Manifest& manifest) const = 0;
};

class Context
{
public:
    Context(const DataIndex& index, Report& report, const IEngineView& engine);

    const DataIndex& Index() const { return mIndex; }
    Report& Out() { return mReport; }
    const IEngineView& Engine() const { return mEngine; }

    void Problem(const Manifest& manifest, const DataElement& element, const std::string& message);
    void Problem(const Declaration& declaration, const std::string& message);

    // The declaration of name when it is one of kinds, else null.
    const Declaration* Resolve(const std::wstring& name, const Kinds& kinds) const;
    // Resolves name for what (such as "buttonnode 'Start' images") at element; reports a problem
    // when it names nothing, something of another kind, or something the game reads only later
    // (when readBefore). Empty names are left alone: every such attribute is optional.
    const Declaration* Expect(const Manifest& manifest, const DataElement& element, const std::string& what,
                              const std::wstring& name, const Kinds& kinds, bool readBefore = false);
    // Whether declaration is read before the element at line of manifest, in the game's load order.
    static bool ReadBefore(const Declaration& declaration, const Manifest& manifest, int line);

    // Texts: a key with a "string" (or, for lists, "stringarray") declaration.
    bool IsText(const std::wstring& key) const { return Resolve(key, {L"string"}) != nullptr; }
    // The entries of a "stringarray" (the values of its child elements); empty when there is none.
    std::vector<std::wstring> TextList(const std::wstring& key) const;

private:
    const DataIndex& mIndex;
    Report& mReport;
    const IEngineView& mEngine;
};

// "an image list", "a sound"...: how a message names an element kind.
std::string KindWords(const std::wstring& kind);
// "a, b or c" of KindWords.
std::string KindsWords(const Kinds& kinds);

class Check
{
public:
    virtual ~Check() = default;
    // What it checks, for the report's notes.
    virtual std::string Name() const = 0;
    // Element kinds whose resources it reads from the engine; empty when it works from the data
    // files alone.
    virtual std::vector<std::wstring> Needs() const { return {}; }
    virtual void Run(Context& context) = 0;
};

// Every check, in the order they run.
std::vector<std::unique_ptr<Check>> MakeChecks();

// The pieces MakeChecks puts together (one file each).
std::unique_ptr<Check> MakeFormCheck();
std::unique_ptr<Check> MakeMediaFilesCheck();
std::unique_ptr<Check> MakeBuiltImagesCheck();
std::unique_ptr<Check> MakeSoundListCheck();
std::unique_ptr<Check> MakeLayoutCheck();
std::unique_ptr<Check> MakeRecordCheck();
std::unique_ptr<Check> MakeDishCheck();
std::unique_ptr<Check> MakeTextCheck();
std::unique_ptr<Check> MakeTextFitCheck();
std::unique_ptr<Check> MakeNamedResourcesCheck();
std::unique_ptr<Check> MakeLoadedCheck();
} // namespace Corvane::DataCheck
