#include "Game/Menus/QuitConfirmMode.h"

#include "Debug.h"
#include "Framework/Looper.h"

using namespace Corvane;

void QuitConfirmMode::OnEnter()
{
    EnterLayout(Label("QuitConfirmModeLayout"));
    SlideIn();
    // End-to-end checks watch for this line.
    DebugPrint("QuitConfirmMode: the quit question is up\n");
}

void QuitConfirmMode::OnControl(Label, Label sender)
{
    static const Label yes("YesButton");
    static const Label no("NoButton");
    if (sender == yes)
        RequestQuit();
    else if (sender == no)
        SlideOut();
}
