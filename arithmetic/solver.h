#pragma once

#include "arithmetic/evaluator.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <memory>

namespace numbolo {

// One way to make a target, or the news that none was found.
struct Way {
    enum class Outcome {
        Found,           // `keys` is a way with the fewest presses
        NoneWithinReach, // no way of up to `reach` presses exists
        NotATarget,      // the text is no whole number as a target box shows one
    };
    Outcome outcome = Outcome::NotATarget;
    QString keys;  // the way as the display shows it ("7*5+3"), one character per key press
    int reach = 0; // every way of up to this many presses was searched: found, the fewest any way has
};

// Finds how to make the targets of one exercise with its working keys: for a target, a way a child
// would write that "=" counts as a hit, typed on an empty display: a way with the fewest presses
// where one of them is plain (without "^", without a number that starts with ".", without a sign
// after an operator or "("); else the first plain way with at most PlainExtra presses more, within
// the reach, whose sign if any comes first before a product ("-204/2"); else a way with the fewest
// presses. Of plain ways of one length, one whose every part has a whole value (no point, every
// division even) comes first: "5+7+7+7+7", not "55/4+77/4". The keys that always
// work, "(", ")", "." and "x^y" (which inserts "^"), are part of every way's keys; "-" serves as
// a sign as well as for subtraction, "+" only for addition (a leading "+" changes nothing).
// Of the ways of one length it returns the first in the order of the characters
// "0123456789+-*/^.()", a "-" that is a sign counting before all of them, so the same exercise
// always gets the same way, and one that starts with its sign rather than has it after an
// operator where both are as short ("-204/2" rather than "204/-2").
//
// The search is a dynamic programme over the evaluator's grammar: for each kind of
// sub-expression and each length up to a few keys it keeps every value that sub-expressions of
// that kind and length can have, with their first text; longer sub-expressions are searched for
// just the values that bring a way onto the target. Every way it returns is checked with the
// evaluator and the comparison of "=" (Equals::displayAfter). Its tables are built as far as the
// targets need and kept for further targets with the same keys. They are bounded: where they
// would take more than MaxTableBytes (never with the keys of an exercise the game draws), they
// stop short, and the search goes on more slowly or, with many keys, reaches less far.
//
// Not thread-safe; one Solver per thread.
class Solver {
public:
    // Every way of up to DefaultReach presses is searched, unless a Solver is given another reach.
    static constexpr int DefaultReach = 10;
    // Changes whenever a change of the solver may give a target another way, so that ways
    // remembered from an earlier one are not taken for its own.
    static constexpr int Version = 1;
    static constexpr int MaxReach = 12; // a way's text must fit 60 bits
    static constexpr std::size_t MaxTableBytes = std::size_t(32) << 20;
    // A plain way is taken where it has at most this many presses more than the fewest.
    static constexpr int PlainExtra = 2;

    // `keys`: the exercise's working digit and operator keys, as they insert ("0"-"9", "/", "*",
    // "-", "+") or as their captions show them ("x" for "*"); blanks and other characters are
    // ignored. `reach`: the most presses a way may have, at most MaxReach.
    explicit Solver(QStringView keys, int reach = DefaultReach);
    ~Solver();
    Solver(const Solver &) = delete;
    Solver &operator=(const Solver &) = delete;

    // A way to make `target`, a whole number as a target box shows it ("57", "-12", "0").
    Way solve(QStringView target);

    // The most memory the tables have held, in bytes.
    std::size_t peakMemoryBytes() const;

private:
    class Tables;
    std::unique_ptr<Tables> m_tables;
    std::unique_ptr<Tables> m_plainTables; // the ways a child would write
    std::unique_ptr<Tables> m_wholeTables; // those of them in whole numbers
    Evaluator m_evaluator;
};

} // namespace numbolo
