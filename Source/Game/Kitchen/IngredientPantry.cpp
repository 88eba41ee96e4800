#include "Game/Kitchen/IngredientPantry.h"

#include "Debug.h"
#include "Framework/ObjectDatabase.h"
#include "Framework/ResourceManager.h"
#include "Framework/SelfDestructTask.h"
#include "Game/Data/IngredientData.h"
#include "Game/Data/ObjectNodePaths.h"
#include "Game/Kitchen/CookingIngredient.h"
#include "Game/Kitchen/GameMode.h"
#include "Game/Kitchen/IngredientBin.h"
#include "Game/Kitchen/Recipe.h"
#include "Game/Kitchen/RecipeList.h"
#include "Graphics/ImageList.h"
#include "RandomStream.h"
#include "SceneGraph/SceneLayout.h"
#include "SceneGraph/StaticSpriteNode.h"

#include <algorithm>
#include <utility>

using namespace Corvane;
namespace Paths = ObjectPaths::Pantry;

namespace
{
constexpr int kRows = 3;

int CountLiveBins()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    if (!database)
        return 0;
    const auto& group = database->GetGroup(IngredientBin::Group());
    return static_cast<int>(std::count_if(group.begin(), group.end(), [&](ObjectID id) { return database->Get(id); }));
}

bool IsOnShow(const CookingIngredient* ingredient)
{
    const std::vector<IngredientBin*> bins = LiveMembers<IngredientBin>(IngredientBin::Group());
    return std::any_of(bins.begin(), bins.end(), [&](const IngredientBin* bin) { return bin->GetIngredient() == ingredient; });
}

int DisplayCount(int category)
{
    const GameMode* game = GameMode::GetCurrent();
    return game ? game->GetPantryDisplayCount(category) : 0;
}
} // namespace

Label IngredientPantry::Name()
{
    static const Label name("IngredientPantry");
    return name;
}

Label IngredientPantry::GetName() const
{
    return Name();
}

SceneNode* IngredientPantry::CreateNode()
{
    return SceneLayout::InstantiateOrBare(Label("IngredientPantryLayout"), Label("PantryRoot"));
}

IngredientBin* IngredientPantry::GetBin(int place) const
{
    return place >= 0 && place < static_cast<int>(mPlaces.size()) ? FindLive<IngredientBin>(mPlaces[place].bin)
                                                                     : nullptr;
}

std::vector<IngredientBin*> IngredientPantry::GetBins() const
{
    std::vector<IngredientBin*> bins;
    for (int i = 0; i < static_cast<int>(mPlaces.size()); ++i)
        if (IngredientBin* bin = GetBin(i))
            bins.push_back(bin);
    return bins;
}

std::vector<IngredientBin*> IngredientPantry::GetBins(int category) const
{
    std::vector<IngredientBin*> bins = GetBins();
    std::erase_if(bins, [&](const IngredientBin* bin) {
        return !bin->GetIngredient() || bin->GetIngredient()->GetCategory() != category;
    });
    return bins;
}

std::vector<CookingIngredient*> IngredientPantry::GetIngredients(int category) const
{
    std::vector<CookingIngredient*> ingredients;
    if (const auto found = mIngredients.find(category); found != mIngredients.end())
        for (ObjectID id : found->second)
            if (auto* ingredient = FindLive<CookingIngredient>(id))
                ingredients.push_back(ingredient);
    return ingredients;
}

std::size_t IngredientPantry::GetDeckSize(int category) const
{
    const auto found = mDecks.find(category);
    return found == mDecks.end() ? 0 : found->second.size();
}

void IngredientPantry::Clear()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    for (const Place& place : mPlaces)
        if (auto* bin = FindLive<IngredientBin>(place.bin))
        {
            bin->StopDragIfDragged();
            database->Remove(place.bin);
        }
    mPlaces.clear();
    for (const auto& [category, ingredients] : mIngredients)
        for (ObjectID id : ingredients)
            if (database)
                database->Remove(id);
    mIngredients.clear();
    mDecks.clear();
}

void IngredientPantry::Restock()
{
    Clear();
    ObjectDatabase* database = ObjectDatabase::Current();
    const RecipeList* list = FindRecipeList();
    const Recipe* recipe = list ? FindLive<Recipe>(list->GetCurrentRecipe()) : nullptr;
    if (!database || !recipe)
    {
        ShowRowLabels();
        return;
    }
    const RecipeData data = recipe->GetData();
    for (Label name : data.ingredients)
    {
        const CookingIngredientData* record = ResourceManager::Get<CookingIngredientData>(name).Get();
        if (!record)
            continue;
        if (record->category < 0 || record->category >= kRows)
        {
            DebugPrint("IngredientPantry: %s has no pantry category and is not shown\n", name.c_str());
            continue;
        }
        auto* ingredient = new CookingIngredient(*record);
        mIngredients[record->category].push_back(database->Add(ingredient));
    }
    for (const auto& [category, ingredients] : mIngredients)
    {
        const int count = std::max(DisplayCount(category), 0);
        for (int i = 0; i < count; ++i)
            mPlaces.push_back({kNoObject, category});
        RefillDeck(category);
    }
    if (mPlaces.size() > kMaxPlaces)
    {
        DebugPrint("IngredientPantry: the level's display counts ask for %zu places; only the first %d are shown\n",
                   mPlaces.size(), kMaxPlaces);
        mPlaces.resize(kMaxPlaces);
    }
    ShowRowLabels();
}

void IngredientPantry::ShowRowLabels()
{
    ImageList* labels = ResourceManager::Get<ImageList>(Label("PantryLabels")).Get();
    for (int row = 0; row < kRows; ++row)
    {
        auto* label = GetNode() ? GetNode()->FindByPathAs<StaticSpriteNode>(Paths::kRowLabels[row]) : nullptr;
        if (!label)
            continue;
        const std::size_t first = static_cast<std::size_t>(row * kPlacesPerRow);
        if (first < mPlaces.size())
        {
            label->SetImageFromList(labels, mPlaces[first].category);
            label->SetVisible(true);
        }
        else
            label->SetVisible(false);
    }
}

void IngredientPantry::RefillDeck(int category)
{
    std::vector<ObjectID>& deck = mDecks[category];
    if (!deck.empty())
        return;
    deck = mIngredients[category];
    IRandomNumberStream* random = GetCurrentRandomStream();
    for (std::size_t i = 1; i < deck.size(); ++i)
    {
        const int j = random ? RandomInt(*random, 0, static_cast<int>(i)) : static_cast<int>(i);
        std::swap(deck[i], deck[static_cast<std::size_t>(j)]);
    }
}

CookingIngredient* IngredientPantry::PickIngredient(int category)
{
    const std::size_t size = mIngredients[category].size();
    const bool duplicatesAllowed = static_cast<int>(size) < DisplayCount(category);
    // Two passes of the deck find an ingredient not on show whenever there is one.
    for (std::size_t draws = 0; draws < 2 * size + 1; ++draws)
    {
        std::vector<ObjectID>& deck = mDecks[category];
        if (deck.empty())
            return nullptr;
        auto* candidate = FindLive<CookingIngredient>(deck.back());
        deck.pop_back();
        RefillDeck(category);
        if (candidate && (duplicatesAllowed || !IsOnShow(candidate)))
            return candidate;
    }
    DebugPrint("IngredientPantry: every ingredient of category %d is on show; the place stays empty\n", category);
    return nullptr;
}

bool IngredientPantry::FillNextPlace()
{
    std::size_t i = 0;
    while (i < mPlaces.size() && FindLive<IngredientBin>(mPlaces[i].bin))
        ++i;
    if (i == mPlaces.size())
        return false;
    CookingIngredient* ingredient = PickIngredient(mPlaces[i].category);
    if (!ingredient)
        return false;
    auto* bin = new IngredientBin(*ingredient);
    bin->Attach(GetNode() ? GetNode()->FindByPath(Paths::kAttachPoints[i]) : nullptr);
    mPlaces[i].bin = bin->GetID();
    return true;
}

void IngredientPantry::OnUpdate(float)
{
    while (CountLiveBins() < static_cast<int>(mPlaces.size()))
        if (!FillNextPlace())
            break;
}

void IngredientPantry::ShuffleCategory(int category)
{
    for (const Place& place : mPlaces)
        if (place.category == category)
            if (auto* bin = FindLive<IngredientBin>(place.bin))
            {
                bin->ShowShuffleFlash();
                bin->StopDragIfDragged();
                bin->GetTasks().Add(new SelfDestructTask);
            }
}

IngredientPantry* FindPantry()
{
    ObjectDatabase* database = ObjectDatabase::Current();
    return database ? dynamic_cast<IngredientPantry*>(database->FindByName(IngredientPantry::Name())) : nullptr;
}
