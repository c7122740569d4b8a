#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "remote_window.h"

namespace quadrell::win32_testing {

// The path of quadrell.exe: each test program's main takes it from its command line.
extern std::wstring ProgramPath;

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
