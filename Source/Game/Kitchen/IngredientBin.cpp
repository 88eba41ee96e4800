#include "Game/Kitchen/IngredientBin.h"

#include "Framework/CuePoint.h"
#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/SelfDestructTask.h"
#include "Game/Data/LocalizedText.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Data/ScreenNodePaths.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/DelayedShowTask.h"
#include "Game/Kitchen/DragInputManager.h"
#include "Game/Kitchen/FennikPlayfield.h"
#include "Game/Kitchen/IngredientNamePopup.h"
#include "Game/Kitchen/IngredientPantry.h"
#include "Game/Kitchen/KitchenText.h"
#include "Graphics/Image.h"
#include "SceneGraph/AnimatedSpriteNode.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneApplicationMode.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"

using namespace Corvane;
namespace Paths = ObjectPaths::IngredientBin;

namespace
{
const NodePath kClickRect = PathOf({"clickRect"});
const NodePath kFlashAnim = PathOf({"anim"});
// The pantry's board lies this far inside its picture (its outline and shadow around it): the
// name popup stays on the board, clear of the power-ups beside the pantry.
constexpr float kBoardInset = 9.0f;

const char* const kBackgrounds[] = {"IngredientBG_Vegetable", "IngredientBG_Meat", "IngredientBG_Flavor"};

SceneNode* InstantiateInEffects(const char* layoutName)
{
    const SceneLayout* layout = SceneLayout::Find(Label(layoutName));
    SceneNode* fx = FindNodeInCurrentScene(ScreenPaths::Kitchen::kFXLayer);
    ObjectDatabase* database = ObjectDatabase::Current();
    return layout && fx && database ? layout->Instantiate(fx, database) : nullptr;
}
} // namespace

IngredientBin::IngredientBin(CookingIngredient& ingredient) : mCategoryLabel(CategoryLabel(ingredient.GetCategory()))
{
    mItem = &ingredient;
}

Label IngredientBin::Group()
{
    static const Label group("Standard_IngredientBin");
    return group;
}

Label IngredientBin::CategoryLabel(int category)
{
    static const Label labels[] = {Label("Vegetable"), Label("Meat"), Label("Flavoring")};
    return category >= 0 && category < 3 ? labels[category] : Label();
}

Label IngredientBin::PopupTaskName()
{
    static const Label name("Popup_ShowDelayTask");
    return name;
}

Label IngredientBin::GetGroup(const int& index) const
{
    if (index == 0)
        return Group();
    return index == 1 ? mCategoryLabel : Label();
}

SceneNode* IngredientBin::CreateNode()
{
    return SceneLayout::InstantiateOrBare(Label("IngredientBinLayout"), Label("IngredientBin"));
}

void IngredientBin::OnAttached()
{
    if (mItem)
        FillPictures(GetNode(), *mItem);
    ConnectClickRect();
    SetClickable(true);
}

void IngredientBin::FillPictures(SceneNode* root, const CookingIngredient& ingredient)
{
    if (!root)
        return;
    const Label name = ingredient.GetIngredientName();
    IImage* picture = name ? ResourceManager::Get<IImage>(Label::Format("%s_Image", name.c_str())).Get() : nullptr;
    if (picture)
    {
        if (auto* image = root->FindByPathAs<StaticSpriteNode>(Paths::kImage))
            image->SetImage(picture);
    }
    else
        SetNodeText(root, Paths::kText, LocalizedText::GetDisplayText(name.c_str()));
    const int category = ingredient.GetCategory();
    if (auto* background = root->FindByPathAs<StaticSpriteNode>(Paths::kBackground); background && category >= 0 && category < 3)
        background->SetImage(ResourceManager::Get<IImage>(Label(kBackgrounds[category])).Get());
}

void IngredientBin::ConnectClickRect()
{
    SceneNode* area = GetNode() ? GetNode()->FindByPath(kClickRect) : nullptr;
    if (!area)
        return;
    const ObjectID self = GetID();
    const auto find = [self] { return FindLive<IngredientBin>(self); };
    area->Signals().ButtonDown.connect([find](SceneNode*, MouseButton, int, int) {
        if (IngredientBin* bin = find())
            PickUp(*bin);
    });
    // Taken, so that the floor below does not hear it.
    area->Signals().ButtonUp.connect([](SceneNode*, MouseButton, int, int) {});
    area->Signals().MouseEnter.connect([find](SceneNode*) {
        if (IngredientBin* bin = find())
            bin->OnPointerEnter();
    });
    area->Signals().MouseLeave.connect([find](SceneNode*) {
        if (IngredientBin* bin = find())
            bin->OnPointerLeave();
    });
}

void IngredientBin::OnPointerEnter()
{
    FennikPlayfield* playfield = FindPlayfield();
    SceneNode* popup = playfield ? playfield->GetIngredientDataPopup() : nullptr;
    mHovered = true;
    if (!popup || !mItem || !GetNode())
        return;
    Rect<float> board = kWholeScreen;
    if (const IngredientPantry* pantry = FindPantry(); pantry && pantry->GetNode())
    {
        const Vector2<float> at = pantry->GetNode()->GetWorldPosition();
        board = {at.x + kBoardInset, at.y + kBoardInset, pantry->GetNode()->GetWidth() - 2.0f * kBoardInset,
                 pantry->GetNode()->GetHeight() - 2.0f * kBoardInset};
    }
    PlaceIngredientNamePopup(*popup, mItem->GetIngredientName(), GetNode()->GetWorldPosition(), board);
    EndTasks(PopupTaskName());
    AddTask(PopupTaskName(), MakeDelayedShowTask(popup));
}

void IngredientBin::OnPointerLeave()
{
    mHovered = false;
    FennikPlayfield* playfield = FindPlayfield();
    if (SceneNode* popup = playfield ? playfield->GetIngredientDataPopup() : nullptr)
        popup->SetVisible(false);
    EndTasks(PopupTaskName());
}

void IngredientBin::OnRemoved()
{
    if (mHovered)
        OnPointerLeave();
}

void IngredientBin::SetClickable(bool on)
{
    if (SceneNode* area = GetNode() ? GetNode()->FindByPath(kClickRect) : nullptr)
        area->SetHitTest(on);
}

void IngredientBin::ShowShuffleFlash()
{
    SceneNode* picture = GetNode() ? GetNode()->FindByPath(Paths::kImage) : nullptr;
    SceneNode* flash = InstantiateInEffects("ShufflePantryItem_FlashLayout");
    if (!flash || !picture)
        return;
    flash->SetWorldPosition(picture->GetWorldCenter());
    SceneNode* anim = flash->FindByPath(kFlashAnim);
    if (anim)
        anim->SetVisible(false);
    CuePoint* started = CuePoint::Create();
    CuePoint* played = CuePoint::Create();
    CuePoint* left = CuePoint::Create();
    picture->GetTasks().Add(new CuePointTask(started));
    picture->GetTasks().Add(new CuePointTask(left));
    if (anim)
    {
        anim->GetTasks().Add(new CuePointTask(started));
        anim->GetTasks().Add(new NodeVisibleTask(true));
        anim->GetTasks().Add(new NodeAnimationTask(Label("Play"), 1));
        anim->GetTasks().Add(new CuePointTask(played));
    }
    flash->GetTasks().Add(new CuePointTask(played));
    flash->GetTasks().Add(new SelfDestructTask);
    GetTasks().Add(new CuePointTask(left));
}

void IngredientBin::SetAttributeHighlight(bool on)
{
    if (auto* anim = GetNode() ? GetNode()->FindByPathAs<AnimatedSpriteNode>(Paths::kHighlightAttribute) : nullptr)
    {
        if (on)
            anim->PlayAnimation(Label("Play"));
        anim->SetVisible(on);
    }
}

void IngredientBin::SetComboHighlight(bool on)
{
    if (auto* anim = GetNode() ? GetNode()->FindByPathAs<AnimatedSpriteNode>(Paths::kHighlightCombo) : nullptr)
    {
        if (on)
            anim->PlayAnimation(Label("Play"));
        anim->SetVisible(on);
    }
}

void IngredientBin::StopDragIfDragged()
{
    const IngredientSource* dragged = CurrentIngredientSource();
    if (dragged && mItem && dragged->GetItem() == mItem)
        if (DragInputManager* manager = DragInputManager::Get())
            manager->SetDragMode(DragInputManager::kNothing);
}

void IngredientBin::BeginDrag()
{
    DragInputManager* manager = DragInputManager::Get();
    const SceneLayout* layout = SceneLayout::Find(Label("IngredientBinLayout"));
    SceneNode* fx = FindNodeInCurrentScene(ScreenPaths::Kitchen::kFXLayer);
    ObjectDatabase* database = ObjectDatabase::Current();
    SceneNode* copy = layout && fx && database ? layout->Instantiate(fx, database) : nullptr;
    if (copy && mItem)
        FillPictures(copy, *mItem);
    if (!manager)
        return;
    manager->SetDragMode(DragInputManager::kIngredient);
    if (copy)
        manager->StartDrag(copy);
}

void IngredientBin::CancelDrag()
{
    if (DragInputManager* manager = DragInputManager::Get())
        manager->SetDragMode(DragInputManager::kNothing);
}

void IngredientBin::EndDrag()
{
    CancelDrag();
    RemoveFromDatabase();
}
