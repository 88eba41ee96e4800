#include "SceneGraph/TextEditNode.h"

#include "Graphics/BrushDrawing.h"
#include "Graphics/DrawState.h"
#include "Graphics/Font.h"
#include "Graphics/IImage.h"
#include "Graphics/IImageList.h"
#include "Graphics/RenderContext.h"
#include "Graphics/TextDrawing.h"

#include <algorithm>
#include <memory>

using namespace Corvane;
using namespace Corvane::Graphics;

namespace
{
Label TextEditChange()
{
    static const Label label("TextEditChange");
    return label;
}

// The nine frame pieces: 0 top-left, 3 left, 5 right, 6 bottom-left.
constexpr int kTopLeft = 0;
constexpr int kLeft = 3;
constexpr int kRight = 5;
constexpr int kBottomLeft = 6;
} // namespace

TextEditNode::TextEditNode(Label name) : SceneNode(name)
{
    SetHitTest(true);
    Relayout();
    // A press of any accepted button on the field gives it the keyboard focus.
    Signals().ButtonDown.connect([this](SceneNode*, MouseButton, int, int) { SetKeyboardFocus(); });
}

float TextEditNode::GetTextAreaWidth() const
{
    if (!mFieldImages)
        return SceneNode::GetWidth();
    return SceneNode::GetWidth() - static_cast<float>(mFieldImages->GetWidth(kRight) + mFieldImages->GetWidth(kLeft));
}

float TextEditNode::GetTextAreaHeight() const
{
    return mEdit.GetLineHeight(mFieldImages ? mFieldImages->GetHeight(kLeft) : 0);
}

void TextEditNode::Relayout()
{
    LineEdit::Frame frame;
    if (mFieldImages)
    {
        // The horizontal inset is the corner's height and the vertical one the left piece's width;
        // frames are drawn with square corners, where the two agree.
        frame.left = static_cast<float>(mFieldImages->GetHeight(kTopLeft));
        frame.top = static_cast<float>(mFieldImages->GetWidth(kLeft));
    }
    frame.areaWidth = GetTextAreaWidth();
    mEdit.SetFont(GetFont());
    mEdit.SetFrame(frame);
    mEdit.Relayout();
}

void TextEditNode::UpdateHeight()
{
    if (!mFieldImages)
        return;
    SetHeight(static_cast<float>(mFieldImages->GetHeight(kTopLeft) + mFieldImages->GetHeight(kBottomLeft)) +
              GetTextAreaHeight());
}

void TextEditNode::SetText(const std::wstring& text)
{
    Relayout();
    mEdit.SetText(text);
}

void TextEditNode::SetFieldImages(IImageList* images)
{
    mFieldImages = images;
    Relayout();
    UpdateHeight();
}

void TextEditNode::SetCursorImage(IImage* image)
{
    mEdit.SetCursorImage(image);
}

void TextEditNode::SetFont(Font* font)
{
    FontComponent::SetFont(font);
    Relayout();
    UpdateHeight();
}

void TextEditNode::SetFieldWidth(float width)
{
    SetWidth(width);
    Relayout();
}

void TextEditNode::SetMaxCharacters(int count)
{
    mEdit.SetMaxCharacters(count);
    Relayout();
}

void TextEditNode::SetMaxStringWidth(int width)
{
    mEdit.SetMaxStringWidth(width);
    Relayout();
}

void TextEditNode::SetPasswordMode(bool on)
{
    mEdit.SetPasswordMode(on);
    Relayout();
}

void TextEditNode::SetPasswordCharacter(wchar_t c)
{
    mEdit.SetPasswordCharacter(c);
    Relayout();
}

void TextEditNode::SetTextAlign(int alignment)
{
    mEdit.SetAlignment(alignment);
    Relayout();
}

void TextEditNode::SetCaret(unsigned index)
{
    Relayout();
    mEdit.SetCaret(index);
}

void TextEditNode::Changed()
{
    BroadcastMessage(TextEditChange());
}

bool TextEditNode::KeyDown(int key)
{
    if (!HasKeyboardFocus())
        return false;
    const LineEdit::KeyResult result = mEdit.Key(key);
    if (result == LineEdit::KeyResult::kChanged)
        Changed();
    return result != LineEdit::KeyResult::kPassOn;
}

bool TextEditNode::Char(const std::wstring& text)
{
    if (!HasKeyboardFocus())
        return false;
    mEdit.Type(text, [this] { Changed(); });
    return true;
}

void TextEditNode::Draw(const Vector2<float>& offset)
{
    if (!IsWorldVisible())
        return;
    const Vector2<float> p = GetWorldPosition() + offset;
    DrawState state = NodeDrawState(*this);
    state.tint.alpha = GetWorldColor().alpha;
    ICanvas* canvas = GetCurrentCanvas();
    const float width = SceneNode::GetWidth();
    const float height = SceneNode::GetHeight();

    if (mFieldImages)
        DrawNineBrush(mFieldImages, 0, p.x, p.y, width, height, state, canvas);

    // The text is clipped to the text area, and to the node's own clip rectangle when it uses one.
    const Vector2<float> origin = mEdit.GetTextOrigin();
    const Rect<float> area{p.x + origin.x, p.y + origin.y, GetTextAreaWidth(), GetTextAreaHeight()};
    Rect<int> clip = Rect<int>::FromRect(area);
    if (IsClipRectUsed())
        clip = clip.IsEmpty() ? GetClipRect() : Rect<int>::Intersect(clip, GetClipRect());
    DrawState text = state;
    text.font = GetFont();
    text.color = GetWorldColor();
    text.clip = clip;
    const std::wstring display = mEdit.GetDisplayText();
    if (GetFont())
        DrawText(display.c_str(), p.x + mEdit.GetScroll() + origin.x, p.y + origin.y, text, canvas);

    if (!HasKeyboardFocus() || !IsEnabled() || !mEdit.HasCursor())
        return;
    const Vector2<float>& caretAt = mEdit.GetCaretPosition();
    DrawState caret = state;
    caret.horizontalAlignment = Graphics::kAlignCenter;
    mEdit.DrawCaret(mBlinkTime,
                    Rect<float>{p.x + caretAt.x + mEdit.GetScroll(), p.y + caretAt.y, mEdit.GetCursorWidth(),
                                height - 2.0f * caretAt.y},
                    caret, canvas);
}

SceneNodeDescriptor* TextEditNodeFactory::CreateDescriptor(const IAttributeContainer& attributes)
{
    auto descriptor = std::make_unique<TextEditNodeDescriptor>();
    descriptor->mFieldImages = ReadLabelAttribute(attributes, L"fieldImages");
    descriptor->mCursorImage = ReadLabelAttribute(attributes, L"cursorImage");
    descriptor->mWidth = attributes.GetFloatAttribute(L"width", 0.0f);
    descriptor->mFont = ReadLabelAttribute(attributes, L"font");
    descriptor->mMaxCharacters = attributes.GetIntAttribute(L"maxCharacters", -1);
    descriptor->mMaxStringWidth = attributes.GetIntAttribute(L"maxStringWidth", -1);
    descriptor->mPasswordMode = attributes.GetBoolAttribute(L"passwordMode", false);
    if (const wchar_t* c = attributes.GetStringAttribute(L"passwordCharacter", L""); c[0] != 0)
        descriptor->mPasswordCharacter = c[0];
    const std::wstring align = attributes.GetStringAttribute(L"textalign", L"");
    if (align == L"center")
        descriptor->mTextAlign = LineEdit::kAlignCenter;
    else if (align == L"right")
        descriptor->mTextAlign = LineEdit::kAlignRight;
    return descriptor.release();
}

SceneNode* TextEditNodeFactory::CreateNode(const SceneNodeDescriptor& descriptor)
{
    const auto& own = DescriptorAs<TextEditNodeDescriptor>(descriptor);
    auto node = std::make_unique<TextEditNode>();
    node->SetFieldImages(FindNodeResource<IImageList>(own.mFieldImages));
    node->SetCursorImage(FindNodeResource<IImage>(own.mCursorImage));
    node->SetFieldWidth(own.mWidth);
    node->SetFont(FindNodeResource<Font>(own.mFont));
    node->SetMaxCharacters(own.mMaxCharacters);
    node->SetMaxStringWidth(own.mMaxStringWidth);
    node->SetPasswordMode(own.mPasswordMode);
    node->SetPasswordCharacter(own.mPasswordCharacter);
    node->SetTextAlign(own.mTextAlign);
    return node.release();
}
