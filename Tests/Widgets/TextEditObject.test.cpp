#include "Widgets/TextEditObject.h"

#include "Support/TestFont.h"
#include "Support/TestImageLists.h"
#include "Support/WidgetFixture.h"
#include "Widgets/WidgetFocus.h"

using namespace Corvane;
using namespace Corvane::Testing;

namespace
{
constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kEscape = 27, kEnd = 35, kHome = 36, kLeft = 37, kRight = 39,
              kDelete = 46;

// A field "name" at (100, 50), 200 wide, in a font of 12-pixel advances, with the focus.
class TextEditTest : public WidgetFixture
{
protected:
    TextEditTest()
    {
        edit = Add(new TextEditObject(Label("name")), {100, 50, 200, 20});
        edit->SetFont(&font);
        SetFocus(edit);
    }

    void Type(const std::wstring& text) { screen.OnText(text); }

    FixedAdvanceFont font{12, 14};
    TextEditObject* edit = nullptr;
};
} // namespace

TEST_F(TextEditTest, EditsThatBreakALimitAreRefusedSilently)
{
    const struct
    {
        int maxCharacters;
        int maxWidth;
        std::wstring expected;
    } cases[] = {
        {3, -1, L"abc"},     // the fourth character is refused
        {-1, 50, L"abcd"},   // 48 pixels fit in 50, 60 do not
        {-1, 48, L"abcd"},   // exactly the limit
        {-1, -1, L"abcdef"}, // no limits
        {0, -1, L""},
    };
    for (const auto& c : cases)
    {
        edit->SetText(L"");
        edit->SetMaxCharacters(c.maxCharacters);
        edit->SetMaxStringWidth(c.maxWidth);
        TakeMessages();
        Type(L"abcdef");
        EXPECT_EQ(edit->GetText(), c.expected) << c.maxCharacters << " " << c.maxWidth;
        EXPECT_EQ(TakeMessages().size(), c.expected.size()) << "one message per accepted character";
        EXPECT_EQ(edit->GetCaret(), c.expected.size());
    }
}

TEST_F(TextEditTest, CharactersAreTypedAtTheCaretAndControlCharactersSkipped)
{
    Type(L"a\tb");
    EXPECT_EQ(edit->GetText(), L"ab");
    screen.OnKeyDown(kHome);
    Type(L"\x1F"
         L"c");
    EXPECT_EQ(edit->GetText(), L"cab");
    EXPECT_EQ(edit->GetCaret(), 1u);
    EXPECT_EQ(TakeMessages(), (Log{"TextEditChange name", "TextEditChange name", "TextEditChange name"}));

    SetFocus(nullptr);
    EXPECT_FALSE(screen.OnText(L"x"));
    EXPECT_FALSE(screen.OnKeyDown(kLeft));
    EXPECT_EQ(edit->GetText(), L"cab") << "nothing reaches a field without the focus";
}

TEST_F(TextEditTest, KeysMoveTheCaretSilentlyAndDeleteWithAMessage)
{
    edit->SetText(L"abcd");
    edit->SetCaret(2);
    const struct
    {
        int key;
        std::wstring text;
        unsigned caret;
        bool message;
    } steps[] = {
        {kLeft, L"abcd", 1, false},      {kLeft, L"abcd", 0, false},  {kLeft, L"abcd", 0, false},
        {kBackspace, L"abcd", 0, false}, {kDelete, L"bcd", 0, true},  {kEnd, L"bcd", 3, false},
        {kRight, L"bcd", 3, false},      {kDelete, L"bcd", 3, false}, {kBackspace, L"bc", 2, true},
        {kHome, L"bc", 0, false},        {kRight, L"bc", 1, false},   {'Q', L"bc", 1, false},
    };
    for (const auto& step : steps)
    {
        EXPECT_TRUE(screen.OnKeyDown(step.key)) << step.key << " is the field's";
        EXPECT_EQ(edit->GetText(), step.text) << step.key;
        EXPECT_EQ(edit->GetCaret(), step.caret) << step.key;
        EXPECT_EQ(TakeMessages().size(), step.message ? 1u : 0u) << step.key;
    }
    for (const int key : {kEnter, kTab, kEscape, 512, 513})
        EXPECT_FALSE(edit->KeyDown(key)) << key << " is left to the screen";
}

TEST_F(TextEditTest, TheCaretStandsAfterTheDisplayedCharactersAndPasswordsShowOneCharacter)
{
    TestFontSpec spec;
    spec.first = 32;
    const auto varied = MakeTestFont(spec);
    edit->SetFont(varied.get());
    edit->SetText(L"A!");
    edit->SetCaret(2);
    EXPECT_EQ(edit->GetCaretPosition().x, float(varied->GetAdvance('A', '!') + varied->GetAdvance('!', 0)));
    edit->SetPasswordMode(true);
    EXPECT_EQ(edit->GetCaretPosition().x, float(varied->GetAdvance('*', '*') + varied->GetAdvance('*', 0)));
    edit->SetPasswordCharacter(L'#');
    EXPECT_EQ(edit->MeasureText(L"xyz"), float(2 * varied->GetAdvance('#', '#') + varied->GetAdvance('#', 0)));

    // The text is drawn as the password character.
    edit->Draw();
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].state.sourceRect, canvas.calls[1].state.sourceRect) << "the same glyph twice";
}

TEST_F(TextEditTest, ALoweredLimitCutsTheTextAndPullsTheCaretBackWithoutAMessage)
{
    Type(L"abcdef");
    TakeMessages();
    edit->SetMaxCharacters(4);
    EXPECT_EQ(edit->GetText(), L"abcd");
    EXPECT_EQ(edit->GetCaret(), 4u);
    edit->SetMaxStringWidth(30);
    EXPECT_EQ(edit->GetText(), L"ab");
    EXPECT_EQ(edit->GetCaret(), 2u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TextEditTest, TheTextScrollsToKeepTheCaretInsideTheField)
{
    // 20 pixels between the borders: one character and a bit.
    const auto field = MakeImageList(9, {4, 4});
    edit->SetFieldImages(field.get());
    edit->SetBounds({100, 50, 28, 20});
    EXPECT_EQ(edit->GetTextAreaWidth(), 20.0f);
    Type(L"abc");
    // Caret at 4 + 36: scrolled so that it sits at the right edge, 4 + 20.
    EXPECT_EQ(edit->GetScroll(), 20.0f - 36.0f);
    screen.OnKeyDown(kLeft);
    EXPECT_EQ(edit->GetScroll(), -16.0f) << "still inside: no change";
    screen.OnKeyDown(kHome);
    EXPECT_EQ(edit->GetScroll(), 0.0f) << "back at the left edge";
    edit->SetBounds({0, 0, 28, 20});
    EXPECT_EQ(edit->GetScroll(), 0.0f) << "moving keeps the layout";
}

TEST_F(TextEditTest, TheLineHeightIsAWholeMultipleOfTheSidePiecesAndSetsTheHeight)
{
    const struct
    {
        int sideHeight;
        int fontHeight;
        float lineHeight;
    } cases[] = {
        {5, 14, 15.0f},
        {7, 14, 14.0f},
        {0, 14, 14.0f}, // a side piece of no height: the font's
        {5, 0, 0.0f},
    };
    for (const auto& c : cases)
    {
        const auto field =
            MakeImageList({{3, 2}, {3, 2}, {3, 2}, {3, c.sideHeight}, {3, 3}, {3, 3}, {3, 4}, {3, 4}, {3, 4}});
        FixedAdvanceFont sized(12, c.fontHeight);
        edit->SetFieldImages(field.get());
        edit->SetFont(&sized);
        EXPECT_EQ(edit->GetLineHeight(), c.lineHeight) << c.sideHeight << " " << c.fontHeight;
        EXPECT_EQ(edit->GetBounds().height, 2 + 4 + c.lineHeight);
        EXPECT_EQ(edit->GetTextOrigin(), (Vector2<float>{3, 2}));
        edit->SetFieldImages(nullptr);
        edit->SetFont(&font);
    }
}

TEST_F(TextEditTest, WithoutAFontEverythingMeasuresNothingAndEditsStillWork)
{
    edit->SetFont(nullptr);
    edit->SetMaxStringWidth(0);
    Type(L"abc");
    EXPECT_EQ(edit->GetText(), L"abc");
    EXPECT_EQ(edit->GetLineHeight(), 0.0f);
    EXPECT_EQ(edit->GetCaretPosition(), (Vector2<float>{0, 0}));
    edit->Draw();
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(TextEditTest, TheAlignedTextStartsFromTheCentreOrTheRight)
{
    edit->SetText(L"ab");
    edit->SetTextAlignment(TextEditObject::kTextCenter);
    EXPECT_EQ(edit->GetTextOrigin().x, 100.0f - 12.0f);
    edit->SetTextAlignment(TextEditObject::kTextRight);
    EXPECT_EQ(edit->GetTextOrigin().x, 200.0f - 24.0f);
    edit->SetCaret(2);
    EXPECT_EQ(edit->GetCaretPosition().x, 200.0f);
}

TEST_F(TextEditTest, TheCaretBlinksEveryHalfSecondOnlyWithTheFocusAndAnImage)
{
    const auto caret = MakeImageList({{2, 10}});
    auto caretImage = caret->GetImage(0);
    Type(L"ab");
    const auto caretDraws = [&] {
        canvas.calls.clear();
        edit->Draw();
        std::vector<CanvasCall> drawn;
        for (const CanvasCall& call : canvas.calls)
            if (call.image == caretImage)
                drawn.push_back(call);
        return drawn;
    };
    EXPECT_TRUE(caretDraws().empty()) << "no cursor image";

    edit->SetCursorImage(caretImage);
    const struct
    {
        float time;
        bool shown;
    } times[] = {{0.1f, true}, {0.45f, true}, {0.55f, false}, {0.95f, false}, {1.05f, true}};
    float now = 0.0f;
    for (const auto& t : times)
    {
        screen.Update(t.time - now);
        now = t.time;
        const auto drawn = caretDraws();
        ASSERT_EQ(drawn.size(), t.shown ? 1u : 0u) << t.time;
        if (t.shown) // centred on the caret, 24 pixels into the text, the field's height
        {
            EXPECT_EQ(drawn[0].numbers, (std::vector<float>{124 - 1, 50, 2, 20}));
        }
    }
    screen.Update(0.5f);
    SetFocus(nullptr);
    EXPECT_TRUE(caretDraws().empty()) << "no focus";
    SetFocus(edit);
    edit->SetEnabled(false);
    EXPECT_TRUE(caretDraws().empty()) << "disabled";
}

TEST_F(TextEditTest, AClickInsideTakesTheFocusWithoutMovingTheCaret)
{
    Type(L"abc");
    SetFocus(nullptr);
    EXPECT_FALSE(screen.OnMouseDown(0, 99, 55));
    EXPECT_EQ(screen.GetFocus(), nullptr);
    EXPECT_TRUE(screen.OnMouseDown(0, 101, 55));
    EXPECT_EQ(screen.GetFocus(), edit);
    EXPECT_EQ(edit->GetCaret(), 3u);
}
