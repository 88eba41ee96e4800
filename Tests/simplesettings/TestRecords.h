// Two small record types that use every member kind, for the record binding tests:
//   <Dish name=".." id=".." servings=".." speaker="Left|Right" [template=".."]>
//     <Garnish name="Topping" .../>                       element member
//     <GarnishList name="Sides"><Garnish .../>...</GarnishList>   list of records
//     <intList name="Points"><int value=".."/>...</intList>        list of integers
//     <LabelList name="Tags"><Label value=".."/>...</LabelList>    list of labels
//   </Dish>
//   <Garnish colour=".." [weight=".."] [note=".."]/>
#pragma once

#include "Label.h"
#include "simplesettings/SettingsDescriptor.h"

#include <string>
#include <vector>

namespace SettingsTesting
{
enum Side : int
{
    kLeft,
    kRight,
};

struct Garnish
{
    Corvane::Label colour;      // "colour", required
    int weight = 0;             // "weight", default 5
    std::wstring note;          // "note", default "plain"
};

struct Dish
{
    Corvane::Label id;          // "id", required
    int servings = 0;           // "servings", default 2
    Side speaker = kLeft;       // "speaker": "Left" or "Right"
    Garnish topping;            // element "Topping"
    std::vector<Garnish> sides; // list "Sides"
    std::vector<int> points;    // list "Points"
    std::vector<Corvane::Label> tags; // list "Tags"
};

class Garnish_Descriptor final : public SimpleSettings::SettingsDescriptor<Garnish>
{
public:
    MemberList GetMembers() const override;
};

class Dish_Descriptor final : public SimpleSettings::SettingsDescriptor<Dish>
{
public:
    MemberList GetMembers() const override;
};

extern Garnish_Descriptor gGarnishDescriptor;
extern Dish_Descriptor gDishDescriptor;

// Registers both with the running resource manager, under "Garnish" and "Dish".
void RegisterTestRecords();
} // namespace SettingsTesting
