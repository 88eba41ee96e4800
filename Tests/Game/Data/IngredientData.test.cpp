#include "Game/Data/IngredientData.h"

#include "Framework/ResourceManager.h"
#include "Game/Data/GameDataTest.h"

#include <map>
#include <vector>

using namespace Corvane;

namespace
{
const char* const kAttributes = R"(<stringarray name="AttributeStrings">
  <string value="Sweet"/><string value="Sour"/><string value="Salty"/><string value="Spicy"/></stringarray>)";

const CookingIngredientData* Ingredient(const char* name)
{
    return ResourceManager::Get<CookingIngredientData>(name).Get();
}
} // namespace

TEST_F(GameDataTest, IngredientsKeepKnownFlavoursClampedAndNeverFail)
{
    ASSERT_EQ(Load("Ingredients", std::string(kAttributes) + R"(
<CookingIngredient name="Carrot" category="Vegetable">
  <FlavorAtt att="Sweet" value="7"/>
  <FlavorAtt att="Sour" value="-9"/>
  <FlavorAtt att="Salty"/>
  <FlavorAtt att="Spicy" value="1"/><FlavorAtt att="Spicy" value="-2"/>
  <FlavorAtt att="sweet" value="1"/>
  <FlavorAtt att="Umami" value="2"/>
  <Garnish att="Sweet"/>
  some text
</CookingIngredient>
<CookingIngredient name="Ham" category="Meat"/>
<CookingIngredient name="Odd" category="meat"/>
<CookingIngredient name="Plain"/>)"),
              "");
    const CookingIngredientData* carrot = Ingredient("Carrot");
    ASSERT_NE(carrot, nullptr);
    EXPECT_EQ(carrot->name, Label("Carrot"));
    EXPECT_EQ(carrot->category, kCategoryVegetable);
    EXPECT_EQ(carrot->attributes, (std::map<std::string, int>{{"Sweet", 3}, {"Sour", -3}, {"Salty", 0}, {"Spicy", -2}}))
        << "clamped to -3..3, absent values 0, a later value wins, unknown names dropped";
    EXPECT_EQ(Ingredient("Ham")->category, kCategoryMeat);
    EXPECT_EQ(Ingredient("Odd")->category, -1) << "categories compare with case";
    EXPECT_EQ(Ingredient("Plain")->category, -1);
}

TEST_F(GameDataTest, CombosFileThemselvesUnderTheirIngredientsOnlyWhenWhole)
{
    ASSERT_EQ(Load("IngredientData", std::string(kAttributes) + R"(
<CookingIngredient name="Carrot" category="Vegetable"/><CookingIngredient name="Pea" category="Vegetable"/>)"),
              "");
    const std::string error = Load("IngredientCombos", R"(<IngredientCombo name="Garden">
  <Ingredient id="Carrot"/> <Ingredient id="pea"/>
</IngredientCombo>
<IngredientCombo name="Bad"><Ingredient id="Carrot"/><Ingredient id="Ghost"/></IngredientCombo>
<IngredientCombo name="Odd"><Ingredient id="Carrot"/><Garnish id="Pea"/></IngredientCombo>
<IngredientCombo name="Empty"/>
<IngredientCombo name="Twice"><Ingredient id="Pea"/><Ingredient id="Pea"/></IngredientCombo>)");
    EXPECT_EQ(error, "'Ghost' not a valid Ingredient in Combo 'Bad'") << "the first failure is the load's";
    EXPECT_NE(debug.Text().find("Unrecognized element 'Garnish' in IngredientCombo 'Odd'"), std::string::npos);

    const auto garden = ResourceManager::Get<IngredientComboData>("Garden");
    ASSERT_TRUE(garden);
    EXPECT_EQ(garden->ingredients, (std::vector<Label>{Label("Carrot"), Label("Pea")}));
    EXPECT_FALSE(ResourceManager::Get<IngredientComboData>("Bad"));
    EXPECT_FALSE(ResourceManager::Get<IngredientComboData>("Odd"));
    ASSERT_TRUE(ResourceManager::Get<IngredientComboData>("Empty"));
    EXPECT_TRUE(ResourceManager::Get<IngredientComboData>("Twice")) << "the combos after a failing one load";

    const IngredientComboStore& store = IngredientComboStore::Instance();
    EXPECT_EQ(store.GetCombos(Label("Carrot")), std::vector<Label>{Label("Garden")}) << "failed combos file nothing";
    EXPECT_EQ(store.GetCombos(Label("Pea")), (std::vector<Label>{Label("Garden"), Label("Twice"), Label("Twice")}));
    EXPECT_TRUE(store.GetCombos(Label("Ghost")).empty());
}
