#pragma once
// Names parameterised cases after their `name` field, for the test list.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace qd::testing {

struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    }
};

}  // namespace qd::testing
