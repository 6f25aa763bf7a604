// The command line of a start: "/close" is the one switch read.
#include "shell/StartRequest.h"
#include <gtest/gtest.h>

TEST(StartRequest, OnlyTheCloseSwitchInAnyCaseClosesEverythingElseRuns) {
    const struct {
        std::vector<std::wstring> arguments;
        TStartRequest expected;
    } cases[] = {
        {{}, TStartRequest::Run},
        {{L"/close"}, TStartRequest::CloseRunning},
        {{L"/CLOSE"}, TStartRequest::CloseRunning},
        {{L"/Close"}, TStartRequest::CloseRunning},
        // Unknown switches are ignored, before or after the one there is.
        {{L"/unknown", L"/close"}, TStartRequest::CloseRunning},
        {{L"/close", L"/x"}, TStartRequest::CloseRunning},
        {{L"/unknown"}, TStartRequest::Run},
        // Near misses are not the switch.
        {{L"close"}, TStartRequest::Run},
        {{L"-close"}, TStartRequest::Run},
        {{L"/closed"}, TStartRequest::Run},
        {{L"/clos"}, TStartRequest::Run},
        {{L"/close "}, TStartRequest::Run},
        {{L"/c\u0131ose"}, TStartRequest::Run},
        {{L""}, TStartRequest::Run},
    };
    for (const auto& c : cases) {
        std::wstring line;
        for (const auto& a : c.arguments)
            line += L"[" + a + L"]";
        EXPECT_EQ(StartRequestFrom(c.arguments), c.expected)
            << std::string(line.begin(), line.end());
    }
}
