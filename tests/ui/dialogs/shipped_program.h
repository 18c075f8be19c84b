#pragma once

// The running program in a user's home of its own, its manual and pictures shipped from the
// sources.
#include "ui/dialogs/user_home.h"
#include "ui/document/shell_fixture.h"

namespace mv::test {

class TShippedProgram : public TShellFixture {
protected:
    TShippedProgram() { user.ShipDataFromSources(); }

    TUserHome user;
};

} // namespace mv::test
