// Pictures as the engine built them: film strips cut into whole cells, and every button, check
// box and radio button with a picture for each of its states.
#include "Check.h"

#include "Framework/ResourceManager.h"
#include "Graphics/FilmStrip.h"
#include "Graphics/Image.h"
#include "Graphics/ImageList.h"

namespace Corvane::DataCheck
{
namespace
{
const wchar_t* const kControls[] = {L"buttonnode", L"checkboxnode", L"radiobuttonnode"};

// A control shows normal, hover, pressed and disabled (and may add focus), in one picture each
// or in three pieces each; a check box shows them all unchecked, then all checked.
bool ShowsEveryState(int count, int sets)
{
    if (count % sets != 0)
        return false;
    const int perSet = count / sets;
    return perSet == 4 || perSet == 5 || perSet == 12 || perSet == 15;
}

class BuiltImagesCheck final : public Check
{
public:
    std::string Name() const override { return "film strips and control pictures"; }
    std::vector<std::wstring> Needs() const override { return {L"filmstrip", L"imagelist"}; }

    void Run(Context& context) override
    {
        for (const Declaration* strip : context.Index().OfKind(L"filmstrip"))
            CheckStrip(context, *strip);
        for (const Declaration* layout : context.Index().OfKind(L"scenelayout"))
            for (const DataElement& root : layout->element->children)
                CheckControls(context, *layout, root);
    }

private:
    static void CheckStrip(Context& context, const Declaration& declaration)
    {
        const ResourceHandle<FilmStrip> strip = ResourceManager::Get<FilmStrip>(declaration.name);
        if (!strip || !strip->GetStripImage())
            return; // not built: the loaded check reports it
        const Image& image = *strip->GetStripImage();
        const int columns = strip->GetColumns();
        const int rows = strip->GetRows();
        if (columns <= 0 || rows <= 0 || image.GetWidth() % columns != 0 || image.GetHeight() % rows != 0)
            context.Problem(declaration, "film strip '" + std::string(declaration.name.c_str()) + "': its " +
                                             std::to_string(image.GetWidth()) + "x" +
                                             std::to_string(image.GetHeight()) + " picture does not cut into " +
                                             std::to_string(columns) + " columns and " + std::to_string(rows) +
                                             " rows of whole cells");
    }

    void CheckControls(Context& context, const Declaration& layout, const DataElement& node)
    {
        for (const wchar_t* control : kControls)
            if (node.Tag() == control && !node.Text(L"images").empty())
            {
                const ResourceHandle<ImageList> list = ResourceManager::Get<ImageList>(node.Text(L"images"));
                const int sets = node.Tag() == L"checkboxnode" ? 2 : 1;
                if (list && !ShowsEveryState(list->GetCount(), sets))
                    context.Problem(*layout.manifest, node,
                                    Narrow(node.Tag()) + " '" + Narrow(node.Text(L"name")) + "': its image list '" +
                                        Narrow(node.Text(L"images")) + "' has " + std::to_string(list->GetCount()) +
                                        " pictures; a control shows normal, hover, pressed and disabled: 4 or 5 "
                                        "pictures (12 or 15 in three pieces)" +
                                        (sets == 2 ? ", unchecked and then checked" : ""));
            }
        for (const DataElement& child : node.children)
            CheckControls(context, layout, child);
    }
};
} // namespace

std::unique_ptr<Check> MakeBuiltImagesCheck()
{
    return std::make_unique<BuiltImagesCheck>();
}
} // namespace Corvane::DataCheck
