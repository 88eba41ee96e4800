#include "Framework/ObjectMessage.h"

namespace Corvane::Messages
{
Label Add()
{
    static const Label name("Add");
    return name;
}

Label Remove()
{
    static const Label name("Remove");
    return name;
}

Label LostFocus()
{
    static const Label name("LostFocus");
    return name;
}

Label ReceivedFocus()
{
    static const Label name("ReceivedFocus");
    return name;
}

Label ControlEnter()
{
    static const Label name("ControlEnter");
    return name;
}

Label ControlLeave()
{
    static const Label name("ControlLeave");
    return name;
}
} // namespace Corvane::Messages
