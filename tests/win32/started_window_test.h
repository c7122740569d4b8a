#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "remote_window.h"

namespace quadrell::win32_testing {

// The path of quadrell.exe, from the command line.
extern std::wstring ProgramPath;

// What a test program needs before its tests run, from the rest of its command line (argv[2] on)
// or from the system; each program defines it.
void PrepareTestProgram(int argc, wchar_t** argv);

// A test that starts the program with its window active, and ends by closing the window as a user
// would, which must end the process with status 0.
class StartedWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        quadrell = std::make_unique<RemoteWindow>(ProgramPath);
        ASSERT_TRUE(quadrell->found()) << "no Quadrell window appeared";
        // With no window manager, a click is what makes the window active.
        quadrell->clickAt(quadrell->window(), 4, 4);
    }

    void TearDown() override
    {
        if (quadrell && quadrell->found()) {
            EXPECT_EQ(quadrell->closeAndWait(), 0);
        }
    }

    std::unique_ptr<RemoteWindow> quadrell;
};

}  // namespace quadrell::win32_testing
