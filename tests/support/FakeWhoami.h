// A `whoami` of the test's own, found first in PATH, so that a test decides
// which login name the routines see (or that they see none).
#pragma once

#include "TestSupport.h"

#include <string_view>

class FakeWhoami {
public:
    // The fake prints exactly these bytes, no more: no line feed is added.
    explicit FakeWhoami(std::string_view printed);
    FakeWhoami(const FakeWhoami&) = delete;
    FakeWhoami& operator=(const FakeWhoami&) = delete;

    void Prints(std::string_view printed) const;

private:
    TempDir m_Dir;
    ScopedEnv m_Path;
};
