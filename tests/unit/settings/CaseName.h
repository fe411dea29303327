#pragma once
// Names table-driven cases after their `name` field in test reports.
#include <gtest/gtest.h>

#include <string>

namespace lumetra::test {

template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

}  // namespace lumetra::test
