#include "Game/Kitchen/InGameDishDisplay.h"

using namespace Corvane;

Label InGameDishDisplay::Name()
{
    static const Label name("InGameUI_DishDisplay");
    return name;
}

Label InGameDishDisplay::GetName() const
{
    return Name();
}
