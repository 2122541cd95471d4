// The routines called from C code (see UserAuthHeaderCheck.c).

#include <gtest/gtest.h>

extern "C" int UserAuthRoundTripFromC(void);

namespace {

TEST(UserAuthHeaders, ServeCCode) {
    EXPECT_EQ(UserAuthRoundTripFromC(), 1);
}

} // namespace
