// What the Difference dialog compares: the pair of tactics taken from a
// selection and the six figures shown for them.
#pragma once

#include "results/TacticBook.h"
#include "support/DArray.h"

#include <cstddef>
#include <cstdint>

// The figures in the order they are computed and shown.
enum DifferenceValue {
    kGoalsDifference,      // A's mean goals scored - B's
    kGoalsProbability,     // ProbGreater(A goals scored, B goals scored)
    kConcededDifference,   // A's mean goals conceded - B's
    kConcededProbability,  // ProbGreater(B goals conceded, A goals conceded): A concedes less
    kPointsDifference,     // A's mean points - B's
    kPointsProbability,    // ProbGreater(A points, B points)
    kDifferenceValueCount
};

struct DifferenceFigures {
    double values[kDifferenceValueCount]; // indexed by DifferenceValue
};

// The compared tactics, borrowed from the selection: A is its first non-null
// element, B its last; both null for an empty or null selection. With one
// tactic selected A and B are the same; elements between the two are ignored.
struct DifferencePair {
    const TacticSummary* a;
    const TacticSummary* b;
};
DifferencePair DifferencePair_Choose(const DArray* selection);

// The six figures of A against B; both must be given.
DifferenceFigures DifferenceFigures_Compute(const TacticSummary* a, const TacticSummary* b);

// The text of figure `which` into buffer (size bytes) and its colour: the
// differences coloured by DifferenceColour (of minus the difference for goals
// conceded, so that conceding fewer is red), the probabilities by
// ProbabilityColour.
void DifferenceFigures_Show(const DifferenceFigures* figures, DifferenceValue which, char* buffer,
                            std::size_t size, uint32_t* colour);
