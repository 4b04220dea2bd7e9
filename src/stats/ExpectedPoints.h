// Expected points of a season from its goals, and the chance of each of
// several estimated means being the highest true mean.
#pragma once

#include <cstdint>

// The most goals a game, on either side, that a season may have and still
// get expected points.
constexpr double kMaxGoalsPerGame = 50.0;

// A season's expected points: games * (3 P(X > Y) + P(X = Y)) with
// X ~ Poisson(goals_for / games) and Y ~ Poisson(goals_against / games)
// independent, accurate to 1e-10 relative. NaN when games is not
// positive, a goal count is negative or either side has more than
// kMaxGoalsPerGame goals a game.
double ExpectedPoints(int32_t games, int32_t goals_for, int32_t goals_against);

// An estimated mean with its standard error; a standard error of 0 means the
// mean is certain.
struct MeanEstimate {
    double mean;
    double se;
};

// probs[i] = the chance that estimate i has the highest true mean of all
// count estimates, each true mean taken as normal N(mean, se) (a point at
// mean when se is 0; equal certain means share their chance equally).
// Accurate to well within 0.001; the probabilities add up to 1. An estimate
// whose mean + 10 se lies below another's mean - 10 se gets exactly 0.
// Nothing happens for count < 1.
void BestProbabilities(const MeanEstimate* estimates, int count, double* probs);
