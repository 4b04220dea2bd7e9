#include "support/NumVector.h"

#include <gtest/gtest.h>

TEST(NumVector, BlocksHoldTheirValuesAndEmptyOnesAreUsable)
{
    int32_t* ints = IntVector_Alloc(11);
    double* doubles = DoubleVector_Alloc(144);
    for (int i = 0; i < 11; ++i)
        ints[i] = -i;
    for (int i = 0; i < 144; ++i)
        doubles[i] = i * 0.5;
    EXPECT_EQ(ints[10], -10);
    EXPECT_EQ(doubles[143], 71.5);
    IntVector_Free(ints);
    DoubleVector_Free(doubles);
    DoubleVector_Free(nullptr);
    IntVector_Free(nullptr);

    // Zero or negative counts still give a block that can be released.
    ints = IntVector_Alloc(0);
    doubles = DoubleVector_Alloc(-3);
    EXPECT_NE(ints, nullptr);
    EXPECT_NE(doubles, nullptr);
    IntVector_Free(ints);
    DoubleVector_Free(doubles);
}
