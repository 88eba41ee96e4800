#include "Game/Menus/CreditsMode.h"

#include "Debug.h"
#include "Framework/Looper.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Menus/MainMenuMode.h"
#include "SceneGraph/ButtonNode.h"

#include <algorithm>

using namespace Corvane;
namespace Paths = ScreenPaths::Credits;

static_assert(std::size(Paths::kCompanies) == CreditsMode::kPageCount);

void CreditsMode::OnEnter()
{
    EnterLayout(Label("CreditsModeLayout"));
    ShowPage(0);
    DebugPrint("CreditsMode: the credits are up\n");
}

void CreditsMode::OnControl(Label, Label sender)
{
    static const Label mainMenu("MainMenu"), left("LeftArrow"), right("RightArrow");
    if (sender == mainMenu)
        PopToApplicationMode(new MainMenuMode(false));
    else if (sender == left)
        ShowPage(mPage - 1);
    else if (sender == right)
        ShowPage(mPage + 1);
}

void CreditsMode::ShowPage(int page)
{
    mPage = std::clamp(page, 0, kPageCount - 1);
    if (auto* left = FindInScreen<ButtonNode>(Paths::kLeftArrow))
        left->SetEnabled(mPage != 0);
    if (auto* right = FindInScreen<ButtonNode>(Paths::kRightArrow))
        right->SetEnabled(mPage != kPageCount - 1);

    if (const SceneNode* pages = FindInScreen(Paths::kTextImages))
        for (SceneNode* each : pages->GetChildren())
            each->SetVisible(false);
    if (SceneNode* shown = FindInScreen(Paths::kCompanies[mPage]))
        shown->SetVisible(true);
}
