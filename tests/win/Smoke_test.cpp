#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, ScreenHasSize) { EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0); }
