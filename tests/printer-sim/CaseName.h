// Parameterised cases here carry a `name`, which names the test. Each case type
// also prints as its name, so ctest lists "Refused/…/UnknownKey" and not a dump
// of the case's bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>

struct CaseName {
    template <class Case> std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};
