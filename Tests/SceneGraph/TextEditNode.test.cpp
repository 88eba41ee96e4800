#include "SceneGraph/TextEditNode.h"

#include "Graphics/Font.h"
#include "Graphics/IImageList.h"
#include "Graphics/RecordingCanvas.h"
#include "Graphics/RenderContext.h"
#include "Support/ControlScene.h"

#include <gtest/gtest.h>

using namespace Corvane;
using namespace Corvane::Graphics;
using namespace Corvane::Testing;

namespace
{
constexpr int kEnter = 13, kTab = 9, kEscape = 27, kBackspace = 8, kLeft = 37, kHome = 36, kF1 = 112;

// Records pictures and, as "DrawText", the lines of text (numbers: x, y).
class FieldCanvas : public RecordingCanvas, public ITextDrawingCanvas
{
public:
    FieldCanvas() : RecordingCanvas({"IQuadDrawingCanvas"}, {0, 0, 800, 600}) {}
    bool QueryInterface(Label name, void** out) override
    {
        return AnswerInterface<ITextDrawingCanvas>(name, this, out) || RecordingCanvas::QueryInterface(name, out);
    }
    int DrawText(const wchar_t* text, float x, float y, const DrawState& state) override
    {
        texts.push_back(text);
        calls.push_back({"DrawText", {x, y}, nullptr, state});
        return 0;
    }
    std::vector<std::wstring> texts;
};

// A frame whose corners are 4 x 3 (bottom ones 4 x 2) and sides 5 x 6, so that the text area's
// height is a whole multiple of 6; a 2 x 8 caret; the test font (line height 10).
class TextEditNodeTest : public testing::Test
{
protected:
    TextEditNodeTest()
    {
        scene.Load(R"(<testfont name="Font"/>
                      <testimagelist name="Frame" sizes="4x3,1x3,4x3,5x6,1x6,5x6,4x2,1x2,4x2"/>)");
        scene.AddSolidImage("Caret", 2, 8, 0xFF000000);
    }
    TextEditNode* Show(const std::string& attributes)
    {
        auto* edit = dynamic_cast<TextEditNode*>(
            scene.Show(R"(<texteditnode name="Name" nodeName="Name" x="100" y="50" )" + attributes + "/>"));
        EXPECT_NE(edit, nullptr) << attributes;
        scene.Update();
        return edit;
    }
    int Advance(wchar_t c, wchar_t next) const
    {
        return ResourceManager::Get<Font>(Label("Font")).Get()->GetAdvance(c, next);
    }

    ControlScene scene;
};
} // namespace

TEST_F(TextEditNodeTest, TheFactoryReadsLimitsPasswordAndAlignment)
{
    const struct
    {
        std::string attributes;
        int maxCharacters, maxWidth;
        bool password;
        wchar_t passwordCharacter;
        int align;
    } cases[] = {
        {"", -1, -1, false, L'*', 0},
        {R"(maxCharacters="8" maxStringWidth="100")", 8, 100, false, L'*', 0},
        {R"(passwordMode="true" passwordCharacter="#x")", -1, -1, true, L'#', 0},
        {R"(passwordCharacter="")", -1, -1, false, L'*', 0},
        {R"(textalign="center")", -1, -1, false, L'*', 1},
        {R"(textalign="right")", -1, -1, false, L'*', 2},
        {R"(textalign="Center")", -1, -1, false, L'*', 0}, // exact names only
    };
    for (const auto& c : cases)
    {
        TextEditNode* edit = Show(c.attributes);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->GetMaxCharacters(), c.maxCharacters) << c.attributes;
        EXPECT_EQ(edit->GetMaxStringWidth(), c.maxWidth) << c.attributes;
        EXPECT_EQ(edit->IsPasswordMode(), c.password) << c.attributes;
        EXPECT_EQ(edit->GetPasswordCharacter(), c.passwordCharacter) << c.attributes;
        EXPECT_EQ(edit->GetTextAlign(), c.align) << c.attributes;
        EXPECT_TRUE(edit->GetText().empty());
    }
}

TEST_F(TextEditNodeTest, TheFrameAndTheFontSetTheHeightAndTheTextArea)
{
    TextEditNode* framed = Show(R"(fieldImages="Frame" font="Font" width="120")");
    // Line height 10 made a multiple of the side pieces' 6: 12; plus the top 3 and bottom 2.
    EXPECT_EQ(framed->GetHeight(), 17.0f);
    EXPECT_EQ(framed->GetTextAreaHeight(), 12.0f);
    EXPECT_EQ(framed->GetTextAreaWidth(), 120.0f - 10.0f);
    EXPECT_EQ(framed->GetTextOrigin(), (Vector2<float>{3, 5})) << "corner height across, side width down";

    TextEditNode* bare = Show(R"(font="Font" width="120")");
    EXPECT_EQ(bare->GetHeight(), 0.0f) << "without a frame the height stays as set";
    EXPECT_EQ(bare->GetTextAreaHeight(), 10.0f);
    EXPECT_EQ(bare->GetTextOrigin(), (Vector2<float>{0, 0}));

    TextEditNode* fontless = Show(R"(fieldImages="Frame" width="120")");
    EXPECT_EQ(fontless->GetHeight(), 5.0f);
    EXPECT_EQ(fontless->MeasureText(L"abc"), 0.0f);
}

TEST_F(TextEditNodeTest, AClickGivesTheFocusAndOnlyTheFocusedFieldEditsAndAnnouncesEachChange)
{
    TextEditNode* edit = Show(R"(fieldImages="Frame" font="Font" width="120" maxCharacters="4")");
    scene.TakeMessages();
    scene.TypeText(L"ab");
    EXPECT_EQ(edit->GetText(), L"") << "no focus: the screen gets the text";
    EXPECT_FALSE(edit->KeyDown(kBackspace));
    EXPECT_FALSE(edit->Char(L"a"));

    scene.Click(110, 55);
    EXPECT_TRUE(edit->HasKeyboardFocus());
    scene.TypeText(L"a\tb\x7F\x9F""c"); // the tab, DEL and U+009F are control characters and are skipped
    scene.TypeText(L"de");    // the fifth character breaks the limit
    EXPECT_EQ(edit->GetText(), L"abcd");
    EXPECT_EQ(scene.TakeMessages(), std::vector<std::string>(4, "TextEditChange Name"));

    const struct
    {
        int key;
        bool taken;
        const wchar_t* text;
        unsigned caret;
        bool message;
    } keys[] = {
        {kEnter, false, L"abcd", 4, false}, {kTab, false, L"abcd", 4, false},     {kEscape, false, L"abcd", 4, false},
        {512, false, L"abcd", 4, false},    {kLeft, true, L"abcd", 3, false},     {kBackspace, true, L"abd", 2, true},
        {kHome, true, L"abd", 0, false},    {kBackspace, true, L"abd", 0, false}, {kF1, true, L"abd", 0, false},
    };
    for (const auto& k : keys)
    {
        EXPECT_EQ(edit->KeyDown(k.key), k.taken) << k.key;
        EXPECT_EQ(edit->GetText(), k.text) << k.key;
        EXPECT_EQ(edit->GetCaret(), k.caret) << k.key;
        EXPECT_EQ(scene.TakeMessages().size(), k.message ? 1u : 0u) << k.key;
    }
}

TEST_F(TextEditNodeTest, TheTextIsDrawnInItsAreaAndTheCaretBlinksOnlyWhileFocusedAndEnabled)
{
    TextEditNode* edit = Show(R"(fieldImages="Frame" font="Font" cursorImage="Caret" width="60" passwordMode="true"
                                 passwordCharacter="#")");
    scene.Click(110, 55);
    scene.TypeText(L"abc");
    const auto draw = [&] {
        FieldCanvas canvas;
        scene.Draw(&canvas);
        return canvas;
    };

    FieldCanvas shown = draw();
    ASSERT_EQ(shown.texts, std::vector<std::wstring>{L"###"});
    const CanvasCall* text = nullptr;
    const CanvasCall* caret = nullptr;
    for (const CanvasCall& call : shown.calls)
        if (call.operation == "DrawText")
            text = &call;
        else if (call.image && call.image->GetWidth() == 2)
            caret = &call;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->numbers, (std::vector<float>{103, 55})) << "at the text origin";
    EXPECT_EQ(text->state.clip, (Rect<int>{103, 55, 50, 12})) << "the text area";
    ASSERT_NE(caret, nullptr) << "the caret shows in the first half second";
    // The caret stands after three password characters, centred on that x.
    const float caretX = 103.0f + 2 * Advance('#', '#') + Advance('#', 0);
    EXPECT_EQ(caret->numbers.front(), caretX - 1.0f);

    scene.Update(30); // 0.6 s: the hidden half of the blink
    for (const CanvasCall& call : draw().calls)
        EXPECT_FALSE(call.image && call.image->GetWidth() == 2) << "hidden half";
    scene.Update(25);
    edit->SetEnabled(false);
    for (const CanvasCall& call : draw().calls)
        EXPECT_FALSE(call.image && call.image->GetWidth() == 2) << "disabled";
    EXPECT_TRUE(edit->Char(L"d"));
    EXPECT_EQ(edit->GetText(), L"abcd") << "a disabled field still edits";
}

TEST_F(TextEditNodeTest, TypingPastTheRightEdgeScrollsAndHomeScrollsBack)
{
    TextEditNode* edit = Show(R"(font="Font" width="20")");
    edit->SetKeyboardFocus(); // a frameless field is 0 high: nothing to click
    scene.TypeText(L"ABCDEFGH");
    const float caretX = edit->GetCaretPosition().x;
    EXPECT_GT(caretX, 20.0f);
    EXPECT_EQ(edit->GetScroll(), 20.0f - caretX) << "the caret at the right edge";
    edit->KeyDown(kHome);
    EXPECT_EQ(edit->GetScroll(), 0.0f);
}
