// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace vitalune::testing {

// scripts/test installs every tool and starts every service the tests use, and sets
// VITALUNE_REQUIRE_ALL=1: there a test that finds something missing must fail, not pass
// as skipped. A developer's plain ctest may still skip.
inline bool everythingRequired() {
    const char* value = std::getenv("VITALUNE_REQUIRE_ALL");
    return value && std::strcmp(value, "1") == 0;
}

} // namespace vitalune::testing

// Ends the test as skipped, or as failed where everything is required; `why` names what
// is missing.
#define SKIP_UNLESS_REQUIRED(why)                                                                  \
    do {                                                                                           \
        if (::vitalune::testing::everythingRequired())                                             \
            GTEST_FAIL() << "VITALUNE_REQUIRE_ALL=1, yet " << why;                                 \
        GTEST_SKIP() << why;                                                                       \
    } while (0)
