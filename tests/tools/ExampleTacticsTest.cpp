// Every player of the example tactics stands on the pitch (make_tactic_* checks each .tct against its .txt).
#include "compare/Formation.h"

#include <gtest/gtest.h>

#include <string>

TEST(ExampleTactics, PlayersStandOnThePitch)
{
    for (std::string name : {"Counter442", "Press433", "Wing352", "Park532", "Diamond4312"}) {
        Formation* f = Formation_Load((std::string(KX_EXAMPLE_TACTICS_DIR) + "/" + name + ".tct").c_str());
        ASSERT_NE(f, nullptr) << name;
        for (int at = 313; at < 1369; at += 4) { // x and y of every position
            int x = Formation_ReadInt16(f->bytes + at), y = Formation_ReadInt16(f->bytes + at + 2);
            EXPECT_TRUE(x >= 0 && x <= 26 && y >= 0 && y <= 35) << name << ": " << x << "," << y << " at " << at;
        }
        Formation_Destroy(f);
    }
}
