// The program's one application, built before the entry function runs. Part of the program only:
// tests make their own.
#include "Game/Application/Application.h"

namespace
{
Application gApplication;
}
