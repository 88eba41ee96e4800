// Every text a screen can show fits the box it is drawn in, with the longest text it can hold. Each
// layout is built as a screen builds it; each text node is given every text it can show (its own,
// or what the game writes into it: dish names for every way of serving a recipe, the judges'
// remarks, host and cutscene lines, tips, a profile name as long as its field takes, scores...) and
// its laid-out rectangle is compared with its box: the nearest node above it that has a size and
// holds the point the layout places the text at (the 800 by 600 screen when none does); the text
// must not cover the pictures, meters and texts beside it either. When the box is a picture, or
// holds a picture under the text (a bubble, a ribbon), the text must also lie on that picture's
// solid part, not on its see-through margins. A button's text must fit the button. A text node the
// game writes into that the check knows no texts for is reported too, so that a new one cannot slip
// by unmeasured. And no line that a text wraps onto starts with a space (the space a line breaks at
// is left at the end of the line before, where nobody sees it), nor looks as if it did: a centred
// text stands in the middle of its box, not at its left with its shorter lines indented.
#include "Check.h"
#include "TextWriters.h"

#include "Graphics/Font.h"
#include "Graphics/IImage.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"
#include "SceneGraph/TextSpriteComponent.h"
#include "SceneGraph/TextSpriteNode.h"
#include "Widgets/IText.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <typeinfo>

namespace Corvane::DataCheck
{
namespace
{
constexpr Rect<float> kScreen{0.0f, 0.0f, 800.0f, 600.0f};
// Less than this is rounding, not overflow.
constexpr float kTolerance = 0.5f;
// How far in from its edges a text's rectangle must lie on solid picture (a line's rectangle is a
// little larger than its letters), and the alpha from which a pixel counts as solid.
constexpr int kPictureInset = 2;
constexpr unsigned kSolidAlpha = 128;
// A centred text's lines stand about its box's middle, give or take a panel's shadow: further off,
// a line shorter than the others looks indented, as if it started with a space.
constexpr float kCentreTolerance = 6.0f;
// A button's text keeps this much clear of each side of the button.
constexpr float kButtonMargin = 6.0f;

// The name the screens find the node by ("nodeName" in the layout, else "name"); empty for none.
std::wstring NameOf(const SceneNode& node)
{
    const char* name = node.GetNodeName() ? node.GetNodeName().c_str() : node.GetName().c_str();
    return name ? Wide(name) : std::wstring();
}

// The node's names from the layout's root down, "Root/Panel/Text".
std::wstring PathOf(const SceneNode& node)
{
    return node.GetParent() ? PathOf(*node.GetParent()) + L"/" + NameOf(node) : NameOf(node);
}

Rect<float> WorldRect(SceneNode& node)
{
    const Vector2<float> at = node.GetWorldPosition();
    const Vector2<float> scale = node.GetWorldScale();
    return {at.x, at.y, node.GetWidth() * scale.x, node.GetHeight() * scale.y};
}

// How far rect reaches out of box (0 or less: it fits).
float Overflow(const Rect<float>& rect, const Rect<float>& box)
{
    return std::max({box.x - rect.x, rect.x + rect.width - (box.x + box.width), box.y - rect.y,
                     rect.y + rect.height - (box.y + box.height)});
}

// The lines the node shows its text on, as it draws them; one line for a text that does not wrap.
std::vector<std::wstring> ShownLines(SceneNode& node)
{
    if (const auto* styled = dynamic_cast<StyledTextSpriteNode*>(&node))
        return StyledTextGraphics::LineTexts(styled->GetStyleRuns(), styled->GetLines());
    const auto* plain = dynamic_cast<TextSpriteNode*>(&node);
    if (!plain || !plain->GetFont() || plain->GetWidth() == 0.0f)
        return {};
    const std::wstring& text = plain->GetText();
    TextLines lines;
    Font::BreakLines(*plain->GetFont(), text.c_str(), static_cast<int>(plain->GetWidth()), nullptr, lines);
    std::vector<std::wstring> texts;
    for (int i = 0; i < lines.GetLineCount(); ++i)
        texts.push_back(text.substr(static_cast<std::size_t>(lines.lineStarts[i]),
                                    static_cast<std::size_t>(lines.lineStarts[i + 1] - lines.lineStarts[i])));
    return texts;
}

// The first line the node's text wraps onto (not one after a line break) that starts with a space;
// none when there is none.
std::optional<std::wstring> LineStartingWithSpace(SceneNode& node)
{
    const std::vector<std::wstring> lines = ShownLines(node);
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty() && IsBreakingSpace(lines[i].front()) && !lines[i - 1].ends_with(L'\n'))
            return lines[i];
    return std::nullopt;
}

std::string Describe(const Rect<float>& rect)
{
    std::ostringstream text;
    text << rect.width << "x" << rect.height << " at " << rect.x << "," << rect.y;
    return text.str();
}

class TextFitCheck final : public Check
{
public:
    std::string Name() const override { return "texts in their boxes, wrapped at spaces"; }
    std::vector<std::wstring> Needs() const override { return {L"scenelayout", L"font"}; }

    void Run(Context& context) override
    {
        for (const Declaration* declaration : context.Index().OfKind(L"scenelayout"))
        {
            const SceneLayout* layout = SceneLayout::Find(declaration->name);
            if (!layout || !layout->GetRoot())
                continue; // the loaded check reports a layout that did not load
            const BuiltLayout built(*layout);
            if (!built.Root())
                continue;
            const std::wstring name = Wide(declaration->name.c_str());
            std::vector<SceneNode*> nodes;
            Walk(*built.Root(), [&](SceneNode& node) { nodes.push_back(&node); });
            for (SceneNode* node : nodes)
            {
                if (auto* button = dynamic_cast<ButtonNode*>(node))
                    CheckButton(context, *declaration, *button);
                else if (dynamic_cast<StyledTextSpriteNode*>(node) || dynamic_cast<TextSpriteNode*>(node))
                    CheckText(context, *declaration, name, *node);
            }
        }
    }

private:
    // The text node's layout element, found by its names (null when it comes from another layout).
    static const DataElement* ElementOf(const Declaration& layout, const SceneNode& node)
    {
        std::vector<std::wstring> names;
        for (const SceneNode* at = &node; at; at = at->GetParent())
            names.insert(names.begin(), NameOf(*at));
        const DataElement* element = layout.element;
        for (const std::wstring& name : names)
        {
            const auto child =
                std::find_if(element->children.begin(), element->children.end(), [&](const DataElement& candidate) {
                    return Label(candidate.Has(L"nodeName") ? candidate.Text(L"nodeName") : candidate.Text(L"name")) ==
                           Label(name);
                });
            if (child == element->children.end())
                return nullptr;
            element = &*child;
        }
        return element;
    }

    static void Report(Context& context, const Declaration& layout, const SceneNode& node, const std::string& message)
    {
        if (const DataElement* element = ElementOf(layout, node))
            context.Problem(*layout.manifest, *element, message);
        else
            context.Problem(layout, message);
    }

    static bool Holds(const Rect<float>& box, const Vector2<float>& point)
    {
        return point.x >= box.x && point.x <= box.x + box.width && point.y >= box.y && point.y <= box.y + box.height;
    }

    // The node's box: the nearest node above it with a size that holds the point; null for the
    // screen.
    static SceneNode* BoxOf(SceneNode& node, const Vector2<float>& point)
    {
        for (SceneNode* above = node.GetParent(); above; above = above->GetParent())
        {
            const Rect<float> box = WorldRect(*above);
            if (box.width > 0.0f && box.height > 0.0f && Holds(box, point))
                return above;
        }
        return nullptr;
    }

    // The picture the text is drawn on: the box itself, or the last picture among the box's
    // children that holds the point.
    static StaticSpriteNode* PictureOf(SceneNode* box, const Vector2<float>& point)
    {
        if (!box)
            return nullptr;
        if (auto* picture = dynamic_cast<StaticSpriteNode*>(box); picture && picture->GetImage())
            return picture;
        StaticSpriteNode* found = nullptr;
        for (SceneNode* child : box->GetChildren())
            if (auto* picture = dynamic_cast<StaticSpriteNode*>(child);
                picture && picture->GetImage() && Holds(WorldRect(*picture), point))
                found = picture;
        return found;
    }

    // A node that draws something of its own (a picture, a meter, a button, a text), which a text
    // must not cover: the nodes beside the text and beside each node above it up to its box, but
    // the picture the text is drawn on.
    static SceneNode* CoveredBy(SceneNode& text, SceneNode* box, const StaticSpriteNode* picture,
                                const Rect<float>& rect)
    {
        for (SceneNode* above = text.GetParent(); above; above = above->GetParent())
        {
            for (SceneNode* beside : above->GetChildren())
            {
                // Two nodes the layout hides are shown one at a time, as the level intro's markers;
                // a node that holds the whole text is a background.
                const Rect<float> other = WorldRect(*beside);
                if (beside == picture || typeid(*beside) == typeid(SceneNode) || IsAbove(*beside, text) ||
                    (!beside->IsVisible() && !text.IsVisible()) || Overflow(rect, other) <= 0.0f)
                    continue;
                if (other.width > 0.0f && other.height > 0.0f && Overlap(rect, other) > kPictureInset)
                    return beside;
            }
            if (above == box)
                break;
        }
        return nullptr;
    }

    // Whether node is text or above it.
    static bool IsAbove(const SceneNode& node, const SceneNode& text)
    {
        for (const SceneNode* at = &text; at; at = at->GetParent())
            if (at == &node)
                return true;
        return false;
    }

    // How deep two rectangles overlap: the smaller of the overlap's width and height.
    static float Overlap(const Rect<float>& a, const Rect<float>& b)
    {
        const Rect<float> both = Rect<float>::Intersect(a, b);
        return std::min(both.width, both.height);
    }

    // Whether the rectangle's edges, kPictureInset in, lie on solid pixels of the picture.
    static bool OnSolidPart(StaticSpriteNode& picture, const Rect<float>& rect)
    {
        const IImage& image = *picture.GetImage();
        const Vector2<float> at = picture.GetWorldPosition();
        const auto solid = [&](float x, float y) {
            const int px = static_cast<int>(x - at.x);
            const int py = static_cast<int>(y - at.y);
            return px >= 0 && py >= 0 && px < image.GetWidth() && py < image.GetHeight() &&
                   (image.GetPixel(px, py) >> 24) >= kSolidAlpha;
        };
        const float left = rect.x + kPictureInset;
        const float right = rect.x + rect.width - kPictureInset - 1.0f;
        const float top = rect.y + kPictureInset;
        const float bottom = rect.y + rect.height - kPictureInset - 1.0f;
        for (float x = left; x <= right; x += 1.0f)
            if (!solid(x, top) || !solid(x, bottom))
                return false;
        for (float y = top; y <= bottom; y += 1.0f)
            if (!solid(left, y) || !solid(right, y))
                return false;
        return true;
    }

    // Where the layout places the node: its corner, or the middle or far side it is aligned by.
    static Vector2<float> AnchorOf(SceneNode& node)
    {
        const Rect<float> rect = WorldRect(node);
        const auto shift = [](int align, float size) { return align == 1 ? size / 2.0f : align == 2 ? size : 0.0f; };
        return {rect.x + shift(node.GetAlignment()[2], rect.width),
                rect.y + shift(node.GetAlignment()[3], rect.height)};
    }

    static void CheckText(Context& context, const Declaration& layout, const std::wstring& name, SceneNode& node)
    {
        // What a writer's preparation moves or sizes is put back before the next text.
        std::vector<std::pair<SceneNode*, NodeState>> kept;
        if (SceneNode* parent = node.GetParent())
        {
            kept.emplace_back(parent, parent->GetLocalState());
            for (SceneNode* sibling : parent->GetChildren())
                kept.emplace_back(sibling, sibling->GetLocalState());
        }
        auto* text = dynamic_cast<Corvane::IText*>(&node);
        if (!text)
            return;
        const std::wstring path = PathOf(node);
        const std::optional<WrittenTexts> writer = TextsWrittenInto(context, name, path);
        const Texts texts = writer ? writer->texts : Texts{text->GetText()};
        const std::string where = "layout '" + Narrow(name) + "': the text '" + Narrow(path) + "'";
        if (!writer && text->GetText().empty())
        {
            Report(context, layout, node,
                   where + " has no text of its own and the check knows none the game writes into it: add it to "
                           "TextWriters.cpp");
            return;
        }
        float worst = kTolerance;
        std::string problem;
        for (const std::wstring& shown : texts)
        {
            for (const auto& [keptNode, state] : kept)
                keptNode->SetLocalState(state);
            text->SetText(shown);
            if (writer && writer->prepare)
                writer->prepare(node);
            const Rect<float> rect = WorldRect(node);
            if (rect.width <= 0.0f || rect.height <= 0.0f)
                continue;
            const Vector2<float> centre{rect.x + rect.width / 2.0f, rect.y + rect.height / 2.0f};
            SceneNode* box = BoxOf(node, AnchorOf(node));
            const Rect<float> boxRect = box ? WorldRect(*box) : kScreen;
            const std::string boxName = box ? "'" + Narrow(PathOf(*box)) + "'" : std::string("the screen");
            const float overflow = Overflow(rect, boxRect);
            const std::string with = ", with \"" + Narrow(shown) + "\" (" + Describe(rect) + ")";
            if (overflow > worst)
            {
                worst = overflow;
                problem = where + " runs " + std::to_string(static_cast<int>(overflow + 0.5f)) + " px out of its box " +
                          boxName + " (" + Describe(boxRect) + ")" + with;
            }
            StaticSpriteNode* picture = PictureOf(box, centre);
            if (problem.empty() && picture && !OnSolidPart(*picture, rect))
                problem = where + " runs off the solid part of its picture '" + Narrow(PathOf(*picture)) + "'" + with;
            if (SceneNode* covered = problem.empty() ? CoveredBy(node, box, picture, rect) : nullptr)
                problem =
                    where + " covers '" + Narrow(PathOf(*covered)) + "' (" + Describe(WorldRect(*covered)) + ")" + with;
            if (const auto* sprite = dynamic_cast<const ITextSprite*>(&node);
                problem.empty() && sprite && sprite->GetJustify() == Graphics::kAlignCenter &&
                std::abs(centre.x - (boxRect.x + boxRect.width / 2.0f)) > kCentreTolerance)
                problem = where + " is centred, but not in its box " + boxName + " (" + Describe(boxRect) +
                          "): its lines look indented" + with;
            if (const auto line = problem.empty() ? LineStartingWithSpace(node) : std::nullopt)
                problem = where + " wraps onto a line that starts with a space, \"" + Narrow(*line) + "\"" + with;
        }
        if (!problem.empty())
            Report(context, layout, node, problem);
    }

    static void CheckButton(Context& context, const Declaration& layout, ButtonNode& button)
    {
        if (button.GetText().empty() || !button.GetFont())
            return;
        const float width = static_cast<float>(Font::MeasureString(*button.GetFont(), button.GetText().c_str()));
        const float room = button.GetWidth() - 2.0f * kButtonMargin;
        if (width > room + kTolerance)
            Report(context, layout, button,
                   "layout '" + std::string(layout.name.c_str()) + "': the button '" + Narrow(PathOf(button)) +
                       "' is " + std::to_string(static_cast<int>(button.GetWidth())) + " px wide; its text \"" +
                       Narrow(button.GetText()) + "\" needs " + std::to_string(static_cast<int>(width)) +
                       " px and its margins " + std::to_string(static_cast<int>(2.0f * kButtonMargin)));
    }
};
} // namespace

std::unique_ptr<Check> MakeTextFitCheck()
{
    return std::make_unique<TextFitCheck>();
}
} // namespace Corvane::DataCheck
