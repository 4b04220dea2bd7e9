// The example tactics in examples/game/tactics: each committed .tct is what
// its .txt gives, and the positions are those of a plausible formation.
#include "tctwriter/TctWriter.h"

#include "compare/Formation.h"

#include "common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#ifndef KX_EXAMPLE_TACTICS_DIR
#error "KX_EXAMPLE_TACTICS_DIR names the folder of the example tactics"
#endif

namespace {

struct Example {
    const char* name;
    int back_line;  // outfield players in the deepest line without the ball
    int front_line; // outfield players in the highest line without the ball
};

const Example kExamples[] = {
    {"Counter442", 4, 2}, {"Press433", 4, 3}, {"Wing352", 3, 2}, {"Park532", 5, 1}, {"Diamond4312", 4, 2},
};

std::string PathOf(const Example& example, const char* extension)
{
    return std::string(KX_EXAMPLE_TACTICS_DIR) + "/" + example.name + extension;
}

struct Spot {
    int x, y;
};

class ExampleTactic : public testing::TestWithParam<Example> {
protected:
    void SetUp() override
    {
        formation_ = Formation_Load(PathOf(GetParam(), ".tct").c_str());
        ASSERT_NE(formation_, nullptr) << PathOf(GetParam(), ".tct");
    }
    void TearDown() override { Formation_Destroy(formation_); }

    Spot At(int p, int s, int c, int r) const
    {
        return {Formation_X(formation_, p, s, c, r), Formation_Y(formation_, p, s, c, r)};
    }
    double MeanX(int s, int c, int r) const
    {
        double sum = 0;
        for (int p = 1; p < 11; ++p)
            sum += At(p, s, c, r).x;
        return sum / 10;
    }
    double MeanY(int s, int c, int r) const
    {
        double sum = 0;
        for (int p = 1; p < 11; ++p)
            sum += At(p, s, c, r).y;
        return sum / 10;
    }
    // The area of the box around the outfield players.
    int Area(int s, int c, int r) const
    {
        int min_x = 99, max_x = -99, min_y = 99, max_y = -99;
        for (int p = 1; p < 11; ++p) {
            Spot spot = At(p, s, c, r);
            min_x = std::min(min_x, spot.x);
            max_x = std::max(max_x, spot.x);
            min_y = std::min(min_y, spot.y);
            max_y = std::max(max_y, spot.y);
        }
        return (max_x - min_x) * (max_y - min_y);
    }

    Formation* formation_ = nullptr;
};

TEST_P(ExampleTactic, RegeneratingGivesTheCommittedBytes)
{
    std::string text;
    std::string message;
    ASSERT_TRUE(TctWriter_ReadFile(PathOf(GetParam(), ".txt").c_str(), &text, &message)) << message;
    std::string bytes;
    TctParseError error;
    ASSERT_TRUE(TctWriter_Parse(text, &bytes, &error)) << TctParseError_Text(error);
    std::string committed = ReadBytes(PathOf(GetParam(), ".tct"));
    EXPECT_EQ(committed.size(), 1476u);
    EXPECT_TRUE(bytes == committed) << "run tools/make-example-tactics after changing " << GetParam().name << ".txt";
}

TEST_P(ExampleTactic, EveryoneOnThePitchAndOnASpotOfHisOwn)
{
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 4; ++r)
                for (int p = 0; p < 11; ++p) {
                    Spot spot = At(p, s, c, r);
                    EXPECT_TRUE(spot.x >= 0 && spot.x <= 26 && spot.y >= 0 && spot.y <= 35)
                        << "player " << p << " at " << spot.x << "," << spot.y << " in " << s << c << r;
                    for (int q = 0; q < p; ++q) {
                        Spot other = At(q, s, c, r);
                        EXPECT_FALSE(spot.x == other.x && spot.y == other.y)
                            << "players " << q << " and " << p << " both at " << spot.x << "," << spot.y << " in "
                            << s << c << r;
                    }
                }
}

TEST_P(ExampleTactic, GoalkeeperStaysNearHisGoal)
{
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 4; ++r) {
                Spot keeper = At(0, s, c, r);
                EXPECT_TRUE(keeper.y >= 0 && keeper.y <= 4) << "keeper's y " << keeper.y << " in " << s << c << r;
                for (int p = 1; p < 11; ++p)
                    EXPECT_LT(keeper.y, At(p, s, c, r).y) << "player " << p << " behind the keeper in " << s << c << r;
            }
            EXPECT_GT(At(0, s, c, 3).y, At(0, s, c, 0).y) << "the keeper steps out with the ball far up, " << s << c;
        }
}

TEST_P(ExampleTactic, TeamFollowsTheBall)
{
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c)
            for (int r = 1; r < 4; ++r)
                EXPECT_GT(MeanY(s, c, r), MeanY(s, c, r - 1)) << "further up with the ball in row " << r << ", " << s << c;
    for (int s = 0; s < 2; ++s)
        for (int r = 0; r < 4; ++r)
            for (int c = 1; c < 3; ++c)
                EXPECT_GT(MeanX(s, c, r), MeanX(s, c - 1, r)) << "across to the ball's column " << c << ", " << s << r;
}

TEST_P(ExampleTactic, HigherAndWiderWithTheBall)
{
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 4; ++r) {
            EXPECT_GT(MeanY(1, c, r), MeanY(0, c, r)) << "higher with the ball in " << c << r;
            EXPECT_LT(Area(0, c, r), Area(1, c, r)) << "more compact without the ball in " << c << r;
        }
}

TEST_P(ExampleTactic, ShapeOfTheFormation)
{
    // Without the ball, ball in the middle of our half.
    int lowest = 99, highest = -99;
    for (int p = 1; p < 11; ++p) {
        lowest = std::min(lowest, At(p, 0, 1, 1).y);
        highest = std::max(highest, At(p, 0, 1, 1).y);
    }
    int back = 0, front = 0;
    for (int p = 1; p < 11; ++p) {
        back += At(p, 0, 1, 1).y <= lowest + 1;
        front += At(p, 0, 1, 1).y >= highest - 1;
    }
    EXPECT_EQ(back, GetParam().back_line) << "players in the back line";
    EXPECT_EQ(front, GetParam().front_line) << "players in the front line";
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTactic, testing::ValuesIn(kExamples),
                         [](const testing::TestParamInfo<Example>& info) { return std::string(info.param.name); });

} // namespace
