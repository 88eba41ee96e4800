#include "Game/Menus/HelpMode.h"

#include "Debug.h"
#include "Game/Data/ScreenNodePaths.h"
#include "SceneGraph/RadioButtonNode.h"

using namespace Corvane;
namespace Paths = ScreenPaths::Help;

namespace
{
// The screens' order in the path table.
enum Screen
{
    kBasics,
    kTips,
    kPantry,
    kRecipes,
    kStations1,
    kStations2,
    kDishDisplay,
    kScoring1,
    kScoring2,
    kPowerUps
};

struct Route
{
    const char* message;
    const char* sender;
    Screen screen;
};

constexpr Route kRoutes[] = {
    {"ButtonClick", "nextPage", kStations2},
    {"ButtonClick", "previousPage", kStations1},
    {"RadioButtonClick", "BasicsButton", kBasics},
    {"RadioButtonClick", "TipsButton", kTips},
    {"RadioButtonClick", "PantryButton", kPantry},
    {"RadioButtonClick", "RecipesButton", kRecipes},
    {"RadioButtonClick", "StationsButton", kStations1},
    {"RadioButtonClick", "DishDisplayButton", kDishDisplay},
    {"RadioButtonClick", "Scoring1Button", kScoring1},
    {"RadioButtonClick", "Scoring2Button", kScoring2},
    {"RadioButtonClick", "PowerUps", kPowerUps},
};

const Label& RadioButtonClick()
{
    static const Label label("RadioButtonClick");
    return label;
}
} // namespace

void HelpMode::OnEnter()
{
    EnterLayout(Label("HelpModeLayout"));
    if (auto* basics = FindObject<RadioButtonNode>(Label("BasicsButton")))
        basics->SetChecked(true);
    DebugPrint("HelpMode: the help is up\n");
}

SceneNode* HelpMode::GetShownScreen() const
{
    if (const SceneNode* screens = FindInScreen(Paths::kScreens))
        for (SceneNode* screen : screens->GetChildren())
            if (screen->IsVisible())
                return screen;
    return nullptr;
}

bool HelpMode::AcceptsMessage(Label message) const
{
    return message == RadioButtonClick() || MenuMode::AcceptsMessage(message);
}

void HelpMode::OnControl(Label message, Label sender)
{
    static const Label back("BackButton");
    if (sender == back && message != RadioButtonClick())
    {
        CloseAtOnce();
        return;
    }
    for (const Route& route : kRoutes)
        if (message == Label(route.message) && sender == Label(route.sender))
        {
            ShowScreen(Paths::kPages[route.screen]);
            return;
        }
}

void HelpMode::ShowScreen(const NodePath& path)
{
    if (const SceneNode* screens = FindInScreen(Paths::kScreens))
        for (SceneNode* screen : screens->GetChildren())
            screen->SetVisible(false);
    if (SceneNode* screen = FindInScreen(path))
        screen->SetVisible(true);
}
