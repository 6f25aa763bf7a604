// What one start of the executable is asked to do, from its command line.
#pragma once

#include <string>
#include <vector>

enum class TStartRequest {
    // Run the program; where it runs already, have that one show itself.
    Run,
    // "/close": end the running program, wait until it has, start nothing.
    CloseRunning,
};

// The arguments after the program's own name. "/close", in any letter case,
// is the one switch there is; any other argument is ignored, so that a
// shortcut or script written for a later version still starts the program.
TStartRequest StartRequestFrom(const std::vector<std::wstring>& arguments);
