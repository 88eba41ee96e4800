#include "Game/Kitchen/PlayerAvatar.h"

using namespace Corvane;

Label PlayerAvatar::Name()
{
    static const Label name("PlayerAvatar");
    return name;
}

Label PlayerAvatar::GetName() const
{
    return Name();
}
