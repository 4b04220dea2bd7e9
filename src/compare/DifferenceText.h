// The texts and text colours of the Difference dialog's figures, apart from
// the window. Colours are red + 256 green + 65536 blue, as Windows takes them.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kTacticAColour = 200;               // red: tactic A, or A is better
constexpr uint32_t kTacticBColour = 200u << 16;        // blue: tactic B, or B is better
constexpr uint32_t kNeutralColour = 100 + (100u << 8); // olive: no clear difference

// Red when v > 0.05, blue when v < -0.05, otherwise (and for what is no
// number) olive.
uint32_t DifferenceColour(double v);

// The colour of a probability p that A is better: DifferenceColour(p - 0.5).
uint32_t ProbabilityColour(double p);

// "%+.1lf" of a difference ("+1.3", "-0.3"), or "n/a" for what is no number.
void DifferenceText_Difference(double v, char* buffer, std::size_t size);

// A probability as a whole percentage of p x 99.49, so that 1.0 shows "99%"
// and never "100%"; "n/a" for what is no number (a single season).
void DifferenceText_Probability(double p, char* buffer, std::size_t size);
