#pragma once

namespace morvelt {

// The two choices that describe a test besides its counts: what kind of
// questions it has, and whether a wrong multiple-choice answer scores below
// an unanswered one.
enum class TestKind { B, C, Mixed };
enum class WrongAnswerRule { Penalize, SameAsBlank };

// The text boxes the calculation reads.
enum class Field {
    txtb,    // number of type-B questions
    txtc,    // number of type-C questions
    txtitem, // answers offered by each type-C question
    txtpeso, // how many type-C questions one type-B question is worth
};

} // namespace morvelt
