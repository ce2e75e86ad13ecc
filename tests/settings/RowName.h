#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

// Names a table row's test after the row's own name, so a failure says which rule broke.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info)
{
    std::string name = info.param.name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}
