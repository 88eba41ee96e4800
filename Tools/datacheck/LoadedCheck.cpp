// The form of resource elements, and whether the engine built each resource.
#include "Check.h"

#include <set>

namespace Corvane::DataCheck
{
namespace
{
// Kinds of single elements: whatever is written inside one is read as part of it and lost. A
// forgotten "/" in "<float .../>" swallows the rest of its manifest like this.
class FormCheck final : public Check
{
public:
    std::string Name() const override { return "the form of resource elements"; }

    void Run(Context& context) override
    {
        static const std::set<std::wstring> single = {
            L"alias", L"bool",   L"int",    L"float", L"string",    L"vector2f", L"vector2i", L"rectf",
            L"recti", L"colorf", L"colori", L"image", L"filmstrip", L"font",     L"sound",    L"randomrange"};
        for (const Declaration& declaration : context.Index().Declarations())
            if (single.count(declaration.Kind()) && !declaration.element->children.empty())
                context.Problem(declaration,
                                Narrow(declaration.Kind()) + " '" + declaration.name.c_str() +
                                    "' has elements inside it (the first at line " +
                                    std::to_string(declaration.element->children.front().line) +
                                    "), which are read as part of it and lost: is its end tag or '/>' missing?");
    }
};

// Every resource whose kind the engine can build was built: the resource manager holds it after
// its manifest was read through the real factories. Runs last and reports only resources no other
// check has explained.
class LoadedCheck final : public Check
{
    // The engine's messages about the resource: those naming it or the file it reads.
    static std::string Explanation(const IEngineView& engine, const Declaration& declaration)
    {
        const std::string name = declaration.name.c_str();
        const std::string src = Narrow(declaration.element->Text(L"src"));
        std::string said;
        for (const std::string& message : engine.Messages(*declaration.manifest))
            if (message.find(name) != std::string::npos || (!src.empty() && message.find(src) != std::string::npos))
                said += (said.empty() ? "" : " ") + message;
        return said.empty() ? std::string(" (datacheck --verbose shows the engine's messages)")
                            : "; the engine said: " + said;
    }

public:
    std::string Name() const override { return "resources built by the engine"; }

    void Run(Context& context) override
    {
        const IEngineView& engine = context.Engine();
        for (const Declaration& declaration : context.Index().Declarations())
        {
            if (declaration.Kind() == L"alias" || !engine.HasFactory(declaration.Kind()) ||
                engine.LoadFailed(*declaration.manifest))
                continue;
            if (engine.IsLoaded(declaration.name))
                continue;
            if (context.Out().HasProblemAt(declaration.manifest->path, declaration.element->line))
                continue;
            context.Problem(declaration, Narrow(declaration.Kind()) + " '" + declaration.name.c_str() +
                                             "' was not built by its factory" + Explanation(engine, declaration));
        }
    }
};
} // namespace

std::unique_ptr<Check> MakeFormCheck()
{
    return std::make_unique<FormCheck>();
}

std::unique_ptr<Check> MakeLoadedCheck()
{
    return std::make_unique<LoadedCheck>();
}
} // namespace Corvane::DataCheck
