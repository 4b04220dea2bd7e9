// The example tactics in examples/game/tactics are plausible formations. (That
// each committed .tct is what its .txt gives is checked by the make_tactic_*
// tests, which run the tool itself.)
#include "compare/Formation.h"

#include <gtest/gtest.h>

#include <string>

#ifndef KX_EXAMPLE_TACTICS_DIR
#error "KX_EXAMPLE_TACTICS_DIR names the folder of the example tactics"
#endif

namespace {

class ExampleTactic : public testing::TestWithParam<const char*> {};

// Everyone on the pitch on a spot of his own, the goalkeeper nearest his goal.
TEST_P(ExampleTactic, PlayersStandWhereTheyCan)
{
    std::string path = std::string(KX_EXAMPLE_TACTICS_DIR) + "/" + GetParam() + ".tct";
    Formation* f = Formation_Load(path.c_str());
    ASSERT_NE(f, nullptr) << path;
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 4; ++r) {
                std::string where = " in situation " + std::to_string(s) + std::to_string(c) + std::to_string(r);
                int keeper_y = Formation_Y(f, 0, s, c, r);
                EXPECT_TRUE(keeper_y >= 0 && keeper_y <= 4) << "keeper's y " << keeper_y << where;
                for (int p = 0; p < 11; ++p) {
                    int x = Formation_X(f, p, s, c, r);
                    int y = Formation_Y(f, p, s, c, r);
                    EXPECT_TRUE(x >= 0 && x <= 26 && y >= 0 && y <= 35)
                        << "player " << p << " at " << x << "," << y << where;
                    if (p > 0)
                        EXPECT_LT(keeper_y, y) << "player " << p << " behind the keeper" << where;
                    for (int q = 0; q < p; ++q)
                        EXPECT_FALSE(x == Formation_X(f, q, s, c, r) && y == Formation_Y(f, q, s, c, r))
                            << "players " << q << " and " << p << " both at " << x << "," << y << where;
                }
            }
    Formation_Destroy(f);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTactic,
                         testing::Values("Counter442", "Press433", "Wing352", "Park532", "Diamond4312"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

} // namespace
