#include "simplesettings/TestRecords.h"

#include "simplesettings/AttrDescriptor.h"
#include "simplesettings/ElementDescriptor.h"
#include "simplesettings/EnumDescriptor.h"
#include "simplesettings/MemberTable.h"
#include "simplesettings/SettingsDescriptorWrapper.h"
#include "simplesettings/VectorDescriptor.h"

using namespace SimpleSettings;
using Corvane::Label;

namespace SettingsTesting
{
namespace
{
const wchar_t* const kSideNames[] = {L"Left", L"Right"};
}

Garnish_Descriptor gGarnishDescriptor;
Dish_Descriptor gDishDescriptor;

Garnish_Descriptor::MemberList Garnish_Descriptor::GetMembers() const
{
    static const MemberTable<Garnish> table{
        new AttrDescriptor<Garnish, Label>("colour", &Garnish::colour),
        new AttrDescriptor<Garnish, int>("weight", &Garnish::weight, 5),
        new AttrDescriptor<Garnish, std::wstring>("note", &Garnish::note, L"plain"),
    };
    return table.Get();
}

Dish_Descriptor::MemberList Dish_Descriptor::GetMembers() const
{
    static const MemberTable<Dish> table{
        new AttrDescriptor<Dish, Label>("id", &Dish::id),
        new AttrDescriptor<Dish, int>("servings", &Dish::servings, 2),
        new EnumDescriptor<Dish, Side>("speaker", &Dish::speaker, kSideNames),
        new ElementDescriptor<Dish, Garnish>("Topping", &Dish::topping, "Garnish", &gGarnishDescriptor),
        new ComplexVectorDescriptor<Dish, Garnish>("Sides", &Dish::sides, "Garnish", &gGarnishDescriptor),
        new SimpleVectorDescriptor<Dish, int>("Points", &Dish::points),
        new SimpleVectorDescriptor<Dish, Label>("Tags", &Dish::tags),
    };
    return table.Get();
}

void RegisterTestRecords()
{
    Corvane::ResourceManager* manager = Corvane::ResourceManager::Instance();
    manager->RegisterFactory(L"Garnish", new SettingsDescriptorWrapper(&gGarnishDescriptor));
    manager->RegisterFactory(L"Dish", new SettingsDescriptorWrapper(&gDishDescriptor));
}
} // namespace SettingsTesting
