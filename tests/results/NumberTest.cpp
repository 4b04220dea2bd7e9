#include "results/Number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

struct NumberCase {
    const char* text;
    int32_t value;
    int consumed; // characters up to the end of the number
};

class NumberParse : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberParse, ReadsAsStrtolWouldWithSaturation)
{
    const NumberCase& c = GetParam();
    const char* end = nullptr;
    EXPECT_EQ(Number_ParseInt32(c.text, &end), c.value) << "text \"" << c.text << "\"";
    EXPECT_EQ(end - c.text, c.consumed) << "text \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberParse,
    testing::Values(NumberCase{"71", 71, 2}, NumberCase{"71x-35", 71, 2}, NumberCase{"-5-3", -5, 2},
                    NumberCase{"+7", 7, 2}, NumberCase{" \t\r\v\f\n12 ", 12, 8},
                    NumberCase{"", 0, 0}, NumberCase{"abc", 0, 0}, NumberCase{"-", 0, 0},
                    NumberCase{" - 5", 0, 0}, NumberCase{"--5", 0, 0}, NumberCase{"007", 7, 3},
                    NumberCase{"2147483647", INT32_MAX, 10}, NumberCase{"2147483648", INT32_MAX, 10},
                    NumberCase{"-2147483648", INT32_MIN, 11}, NumberCase{"-2147483649", INT32_MIN, 11},
                    NumberCase{"99999999999999999999999", INT32_MAX, 23},
                    NumberCase{"-99999999999999999999999", INT32_MIN, 24}),
    [](const testing::TestParamInfo<NumberCase>& info) { return std::to_string(info.index); });
