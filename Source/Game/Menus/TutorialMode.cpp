#include "Game/Menus/TutorialMode.h"

#include "Game/Data/GameConstants.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/TutorialManager.h"
#include "SceneGraph/BackgroundNode.h"
#include "SceneGraph/ButtonNode.h"
#include "SceneGraph/StyledTextSpriteNode.h"

#include <algorithm>
#include <cwchar>

using namespace Corvane;
namespace Paths = ScreenPaths::Tutorial;

namespace
{
// The bubble is never shorter than this, and a page needs this much more than its text (the
// margins and the More button's row).
constexpr float kMinimumHeight = 85.0f;
constexpr float kPageMargin = 46.0f;
// Gap between the point and the near edge of the bubble, which its tail spans.
constexpr float kTailReach = 42.0f;
// How far into the bubble its tail reaches from the edge it points out of.
constexpr float kTailUpY = 2.0f;
constexpr float kTailDownY = -5.0f;
// A tail pointing up or down stands this far in from the bubble's near corner.
constexpr float kTailInset = 20.0f;
// The thresholds on the 800 by 600 screen.
constexpr float kLeftBand = 200.0f, kRightBand = 600.0f, kTopBand = 200.0f, kBottomBand = 400.0f;
constexpr float kMiddleX = 400.0f;
constexpr Vector2<float> kScreenCentre{400.0f, 300.0f};

enum Tail
{
    kTailUp,
    kTailDown,
    kTailLeft,
    kTailRight
};
} // namespace

TutorialMode::TutorialMode(int tip, const Vector2<float>& position) : mTip(tip), mX(position.x), mY(position.y) {}

std::wstring TutorialMode::GetPageText(int tip, int page)
{
    if (!TutorialManager::IsValidTip(tip))
        return {};
    wchar_t key[128];
    if (std::swprintf(key, std::size(key), kTutorialMessageFormats[tip], page) < 0)
        return {};
    return LocalizedText::GetTextByName(key);
}

void TutorialMode::OnEnter()
{
    static const Label layout("TutorialBubbleLayout");
    EnterLayout(layout);
    auto* bubble = FindInScreen<BackgroundNode>(Paths::kBubble);
    auto* more = FindInScreen<ButtonNode>(Paths::kMoreButton);
    if (bubble && more)
    {
        // A press anywhere on the bubble turns the page as the More button does, hidden or not.
        bubble->SetHitTest(true);
        const ObjectID moreID = more->GetID();
        bubble->Signals().ButtonDown.connect([this, moreID](SceneNode*, MouseButton, int, int) {
            if (auto* button = dynamic_cast<ButtonNode*>(NodeFromID(moreID)))
                button->Click();
        });
    }
    FitHeight();
    TurnPage();
    Place();
}

void TutorialMode::OnControl(Label /*message*/, Label sender)
{
    static const Label more("MoreButton");
    if (sender == more)
        TurnPage();
}

void TutorialMode::FitHeight()
{
    auto* text = FindInScreen<StyledTextSpriteNode>(Paths::kText);
    auto* bubble = FindInScreen<BackgroundNode>(Paths::kBubble);
    if (!text || !bubble)
        return;
    float height = kMinimumHeight;
    for (int page = 1;; ++page)
    {
        const std::wstring pageText = GetPageText(mTip, page);
        if (pageText.empty())
            break;
        text->SetText(pageText);
        height = std::max(height, text->GetHeight() + kPageMargin);
    }
    bubble->SetHeight(static_cast<int>(height));
}

void TutorialMode::TurnPage()
{
    const std::wstring pageText = GetPageText(mTip, mPage);
    if (pageText.empty())
    {
        CloseAtOnce();
        return;
    }
    if (auto* text = FindInScreen<StyledTextSpriteNode>(Paths::kText))
        text->SetText(pageText);
    ++mPage;
    if (GetPageText(mTip, mPage).empty())
        if (SceneNode* more = FindInScreen(Paths::kMoreButton))
            more->SetVisible(false);
}

void TutorialMode::Place()
{
    SceneNode* root = GetLayoutRoot();
    SceneNode* bubble = FindInScreen(Paths::kBubble);
    if (!root || !bubble)
        return;
    if (mX <= 0.0f || mY <= 0.0f)
    {
        root->SetPosition(kScreenCentre);
        return;
    }
    const float width = bubble->GetWidth();
    const float height = bubble->GetHeight();
    Vector2<float> offset{0.0f, 0.0f};
    SceneNode* tail = nullptr;
    if (mY < kTopBand || mY > kBottomBand)
    {
        const bool below = mY < kTopBand;
        tail = FindInScreen(Paths::kTails[below ? kTailUp : kTailDown]);
        float tailX = width / 2.0f;
        if (mX < kLeftBand)
        {
            tailX = kTailInset;
            offset.x = width / 2.0f - kTailInset;
        }
        else if (mX > kRightBand)
        {
            tailX = width - kTailInset;
            offset.x = -(width / 2.0f) + kTailInset;
        }
        offset.y = below ? height / 2.0f + kTailReach : -(height / 2.0f) - kTailReach;
        if (tail)
            tail->SetPosition(tailX, below ? kTailUpY : kTailDownY);
    }
    else
    {
        const bool bubbleLeft = mX >= kMiddleX;
        tail = FindInScreen(Paths::kTails[bubbleLeft ? kTailRight : kTailLeft]);
        offset.x = bubbleLeft ? -(width / 2.0f) - kTailReach : width / 2.0f + kTailReach;
    }
    if (tail)
        tail->SetVisible(true);
    root->SetPosition(mX + offset.x, mY + offset.y);
}
