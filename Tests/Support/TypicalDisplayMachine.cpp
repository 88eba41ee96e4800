// Linked into the test programs that draw: their display is a typical PC with 3D hardware, the
// same on every machine the tests run on. Tests that stage other machines still do, and reset to
// this one.
#include "Platform/Compat/DirectDraw/DisplayMachine.h"

#include <gtest/gtest.h>

namespace
{
class TypicalDisplayMachine : public testing::Environment
{
public:
    void SetUp() override { Compat::StandInForThisMachine(Compat::DefaultDisplayMachine()); }
};

const testing::Environment* const gTypicalMachine = testing::AddGlobalTestEnvironment(new TypicalDisplayMachine);
} // namespace
