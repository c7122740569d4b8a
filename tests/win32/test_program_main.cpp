// The entry point of every Windows test program: the path of quadrell.exe comes first on the
// command line, then anything the program itself takes, then GoogleTest's options.
#include <cstdio>

#include <gtest/gtest.h>

#include "started_window_test.h"

namespace quadrell::win32_testing {

std::wstring ProgramPath;

}  // namespace quadrell::win32_testing

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %ls PATH\\TO\\quadrell.exe [arguments] [gtest options]\n", argv[0]);
        return 2;
    }
    quadrell::win32_testing::ProgramPath = argv[1];
    quadrell::win32_testing::PrepareTestProgram(argc, argv);
    return RUN_ALL_TESTS();
}
