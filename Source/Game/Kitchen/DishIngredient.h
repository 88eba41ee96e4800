// An ingredient placed into the dish being cooked, with the dish slot it fills.
#pragma once

#include "Label.h"

struct DishIngredient
{
    Corvane::Label ingredient;
    int slot = -1;

    bool operator==(const DishIngredient&) const = default;
};
