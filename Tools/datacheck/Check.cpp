#include "Check.h"

#include <map>

namespace Corvane::DataCheck
{
Context::Context(const DataIndex& index, Report& report, const IEngineView& engine)
    : mIndex(index), mReport(report), mEngine(engine)
{
}

void Context::Problem(const Manifest& manifest, const DataElement& element, const std::string& message)
{
    mReport.Add(manifest.path, element.line, message);
}

void Context::Problem(const Declaration& declaration, const std::string& message)
{
    Problem(*declaration.manifest, *declaration.element, message);
}

const Declaration* Context::Resolve(const std::wstring& name, const Kinds& kinds) const
{
    const Declaration* found = mIndex.Find(Label(name));
    if (!found)
        return nullptr;
    for (const wchar_t* kind : kinds)
        if (found->Kind() == kind)
            return found;
    return nullptr;
}

const Declaration* Context::Expect(const Manifest& manifest, const DataElement& element, const std::string& what,
                                   const std::wstring& name, const Kinds& kinds, bool readBefore)
{
    if (name.empty())
        return nullptr;
    const std::string quoted = "'" + Narrow(name) + "'";
    const Declaration* found = mIndex.Find(Label(name));
    if (!found)
    {
        Problem(manifest, element,
                what + " names " + quoted + ", which no manifest declares (" + KindsWords(kinds) + " is needed)");
        return nullptr;
    }
    if (!Resolve(name, kinds))
    {
        Problem(manifest, element,
                what + " names " + quoted + ", which is " + KindWords(found->Kind()) + ", not " + KindsWords(kinds) +
                    " (" + found->manifest->path + "(" + std::to_string(found->element->line) + "))");
        return nullptr;
    }
    if (readBefore && !ReadBefore(*found, manifest, element.line))
        Problem(manifest, element,
                what + " names " + quoted + ", which the game reads only later (" + found->manifest->path + "(" +
                    std::to_string(found->element->line) + ")): it must be loaded first");
    return found;
}

bool Context::ReadBefore(const Declaration& declaration, const Manifest& manifest, int line)
{
    if (declaration.manifest == &manifest)
        return declaration.element->line < line;
    return declaration.manifest->order >= 0 && (manifest.order < 0 || declaration.manifest->order < manifest.order);
}

std::vector<std::wstring> Context::TextList(const std::wstring& key) const
{
    std::vector<std::wstring> entries;
    if (const Declaration* list = Resolve(key, {L"stringarray"}))
        for (const DataElement& item : list->element->children)
            entries.push_back(item.Text(L"value"));
    return entries;
}

std::string KindWords(const std::wstring& kind)
{
    static const std::map<std::wstring, std::string> words = {
        {L"image", "an image"},
        {L"imagelist", "an image list"},
        {L"filmstrip", "a film strip"},
        {L"font", "a font"},
        {L"sound", "a sound"},
        {L"randomsound", "a random sound"},
        {L"soundlist", "a sound list"},
        {L"scenelayout", "a scene layout"},
        {L"spritetype", "a sprite type"},
        {L"spriteanimationlist", "an animation list"},
        {L"string", "a text"},
        {L"stringarray", "a text list"},
    };
    const auto found = words.find(kind);
    if (found != words.end())
        return found->second;
    const std::string name = Narrow(kind);
    const bool vowel = !name.empty() && std::string("AEIOUaeiou").find(name[0]) != std::string::npos;
    return std::string(vowel ? "an " : "a ") + name;
}

std::string KindsWords(const Kinds& kinds)
{
    std::string text;
    std::size_t index = 0;
    for (const wchar_t* kind : kinds)
    {
        if (index > 0)
            text += index + 1 == kinds.size() ? " or " : ", ";
        text += KindWords(kind);
        ++index;
    }
    return text;
}

std::vector<std::unique_ptr<Check>> MakeChecks()
{
    std::vector<std::unique_ptr<Check>> checks;
    checks.push_back(MakeFormCheck());
    checks.push_back(MakeMediaFilesCheck());
    checks.push_back(MakeBuiltImagesCheck());
    checks.push_back(MakeSoundListCheck());
    checks.push_back(MakeLayoutCheck());
    checks.push_back(MakeRecordCheck());
    checks.push_back(MakeDishCheck());
    checks.push_back(MakeTextCheck());
    checks.push_back(MakeTextFitCheck());
    checks.push_back(MakeNamedResourcesCheck());
    // Last: it reports only what the others could not explain.
    checks.push_back(MakeLoadedCheck());
    return checks;
}
} // namespace Corvane::DataCheck
