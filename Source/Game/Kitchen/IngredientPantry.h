// The pantry: up to fifteen bins in three rows of five, from which the player takes the current
// recipe's ingredients. Restocked for each recipe: one live CookingIngredient per ingredient of
// the recipe (owned here), a number of places per category that the level sets (categories in
// ascending order), and per category a shuffled deck the bins draw from, so that one ingredient is
// not on show twice while its category has enough different ones. A place whose bin has gone
// (served, shuffled away) is refilled on the next update, places in order. Each row's label shows
// the category of its first place. One object of the level screen's database, named
// "IngredientPantry"; its tree is a copy of "IngredientPantryLayout", attached by the playfield.
//
// The layout has fifteen places: display counts adding up to more than that are reported and
// only the first fifteen places are made (level files asking for more are refused when read).
#pragma once

#include "Game/Data/KitchenLevelData.h"
#include "SceneGraph/SceneLayoutController.h"

#include <map>
#include <vector>

class CookingIngredient;
class IngredientBin;

class IngredientPantry : public SceneLayoutController
{
public:
    static constexpr int kMaxPlaces = KitchenLevelData::kPantryPlaces;
    static constexpr int kPlacesPerRow = 5;

    struct Place
    {
        Corvane::ObjectID bin = Corvane::kNoObject;
        int category = 0;
    };

    Corvane::Label GetName() const override;
    static Corvane::Label Name();
    // Fills the places whose bins have gone, in place order.
    void OnUpdate(float dt) override;

    // Clears the pantry (a drag of one of its bins stops) and stocks it for the recipe list's
    // current recipe; the bins come with the next update.
    void Restock();
    // Every bin of the category flashes, stops its drag and goes: the next updates refill its
    // places from the category's deck.
    void ShuffleCategory(int category);

    const std::vector<Place>& GetPlaces() const { return mPlaces; }
    // The live bin of place index, or null.
    IngredientBin* GetBin(int place) const;
    // The live bins, in place order; those of one category.
    std::vector<IngredientBin*> GetBins() const;
    std::vector<IngredientBin*> GetBins(int category) const;
    // The category's ingredients in the recipe's order, and those not yet drawn from its deck.
    std::vector<CookingIngredient*> GetIngredients(int category) const;
    std::size_t GetDeckSize(int category) const;

protected:
    SceneNode* CreateNode() override;

private:
    void Clear();
    void RefillDeck(int category);
    CookingIngredient* PickIngredient(int category);
    // False when no place could be filled.
    bool FillNextPlace();
    void ShowRowLabels();

    std::vector<Place> mPlaces;
    std::map<int, std::vector<Corvane::ObjectID>> mDecks;
    std::map<int, std::vector<Corvane::ObjectID>> mIngredients;
};

// The current database's pantry, or null.
IngredientPantry* FindPantry();
