#include "Game/Kitchen/CompletedDishDisplay.h"

#include "Framework/CuePointTask.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/ValueWrapper.h"
#include "Game/Kitchen/CallTask.h"
#include "Game/Kitchen/DishPlating.h"
#include "Game/Kitchen/FindLive.h"
#include "Game/Kitchen/GameMode.h"
#include "SceneGraph/MaskedSpriteNode.h"
#include "SceneGraph/MaskedSpriteTasks.h"
#include "SceneGraph/NodeTasks.h"
#include "SceneGraph/SceneLayout.h"

using namespace Corvane;

namespace
{
constexpr Vector2<float> kStartScale{0.6f, 0.6f};
constexpr Vector2<float> kFullScale{1.0f, 1.0f};
} // namespace

CompletedDishDisplay::CompletedDishDisplay(ApplicationMode* levelScreen, int plateType) : mPlateType(plateType)
{
    if (const auto* game = dynamic_cast<const GameMode*>(levelScreen))
        mIngredients = game->GetDishIngredients();
}

Label CompletedDishDisplay::Name()
{
    static const Label name("CompletedDishDisplay");
    return name;
}

Label CompletedDishDisplay::GetName() const
{
    return Name();
}

MaskedSpriteNode* CompletedDishDisplay::GetPicture() const
{
    return FindLive<MaskedSpriteNode>(mPicture);
}

SceneNode* CompletedDishDisplay::GetDish() const
{
    return FindLive<SceneNode>(mDish);
}

SceneNode* CompletedDishDisplay::CreateNode()
{
    SceneNode* root =
        SceneLayout::InstantiateOrBare(Label("DishCompleteDisplay_RootLayout"), Label("DishCompleteDisplay"));
    SceneNode* attach = root->FindByPath(NodePath{"MaskNodeAttach"});
    auto* picture = new MaskedSpriteNode(nullptr, true);
    picture->AttachAs(attach ? attach : root, Label("Dish"));
    ObjectDatabase* database = ObjectDatabase::Current();
    if (database)
        root->RegisterTree(database);
    SceneNode* dish = DishPlating::InstantiateDish(mPlateType);
    DishPlating::FillDish(*dish, mPlateType, mIngredients);
    DishPlating::ShowDish(*picture, dish);
    picture->SetMaskScale(kStartScale);
    mPicture = picture->GetID();
    mDish = dish->GetID();
    return root;
}

void CompletedDishDisplay::OnRemoved()
{
    if (ObjectDatabase* database = ObjectDatabase::Current(); database && GetDish())
        database->Remove(mDish);
    mDish = kNoObject;
}

void CompletedDishDisplay::MoveIn(std::function<void(CompletedDishDisplay*)> done)
{
    SceneNode* root = GetNode();
    MaskedSpriteNode* picture = GetPicture();
    if (!root || !picture)
        return;
    const float seconds = ResourceManager::GetValue<float>(Label("DishMoveTime"), 0.5f);
    const auto start = ResourceManager::GetValue<Vector2<float>>(Label("DishStartLocation"), root->GetPosition());
    const auto end = ResourceManager::GetValue<Vector2<float>>(Label("DishFinalLocation"), root->GetPosition());
    root->SetPosition(start);
    CuePoint* both = CuePoint::Create();
    root->GetTasks().Add(new NodeLocationTask(end, seconds));
    root->GetTasks().Add(new CuePointTask(both));
    picture->GetTasks().Add(new MaskedSpriteNodeScaleTask(kFullScale, seconds));
    picture->GetTasks().Add(new CuePointTask(both));
    if (done)
    {
        const ObjectID self = GetID();
        root->GetTasks().Add(new CallTask<SceneNode>([self, done](SceneNode*) {
            if (auto* display = FindLive<CompletedDishDisplay>(self))
                done(display);
        }));
    }
}
