#include "Framework/ObjectMessage.h"

namespace Corvane::Messages
{
namespace
{
enum Name
{
    kAdd,
    kRemove,
    kLostFocus,
    kReceivedFocus,
    kControlEnter,
    kControlLeave
};

// Interned once, on first use, in the order of Name.
Label Interned(Name name)
{
    static const Label names[] = {Label("Add"),           Label("Remove"),       Label("LostFocus"),
                                  Label("ReceivedFocus"), Label("ControlEnter"), Label("ControlLeave")};
    return names[name];
}
} // namespace

Label Add()
{
    return Interned(kAdd);
}

Label Remove()
{
    return Interned(kRemove);
}

Label LostFocus()
{
    return Interned(kLostFocus);
}

Label ReceivedFocus()
{
    return Interned(kReceivedFocus);
}

Label ControlEnter()
{
    return Interned(kControlEnter);
}

Label ControlLeave()
{
    return Interned(kControlLeave);
}
} // namespace Corvane::Messages
