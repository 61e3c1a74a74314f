#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

// Names parameterised tests after their rows' descriptions (the field
// `name`), so that a failure says which case broke.
template<typename Case>
std::string caseName(const testing::TestParamInfo<Case> &info)
{
    std::string name = info.param.name;
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}
