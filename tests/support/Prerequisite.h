#pragma once
// A test that needs a program the machine may lack (the recorder simulator, Xvfb, the decoder library)
// skips without it on a developer's machine. Under CI (the CI variable set and not empty) every such program
// is part of the build, so a missing one fails the test instead of hiding it.
// Header-only, so test programs that do not link the support library can use it too.

#include <gtest/gtest.h>

#include <cstdlib>

namespace kelotest {

inline bool RunningUnderCi() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && *ci != '\0';
}

} // namespace kelotest

// Ends the calling test (or its SetUp) when `present` is false: skipped, or failed under CI.
#define KELO_REQUIRE(present, what)                                                                                    \
    do {                                                                                                               \
        if (!(present)) {                                                                                              \
            if (::kelotest::RunningUnderCi()) {                                                                        \
                FAIL() << (what) << " (required when CI is set)";                                                      \
            }                                                                                                          \
            GTEST_SKIP() << (what);                                                                                    \
        }                                                                                                              \
    } while (false)
