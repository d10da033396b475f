// Throughput of the "=" evaluator on a fixed corpus of keypad expressions, side by side with
// muparser on the same corpus when the benchmark is built with it, and the time to refuse (or
// evaluate) pathological displays. Prints lines of "name value unit":
//   corpus_expressions N, agree N (both give the same finite value), agree_no_finite_value N
//   (we refuse, muparser gives an infinity), muparser_per_s, ours_per_s, ours_with_text_per_s,
//   then one "refuse_<case>_ms" (or "evaluate_<case>_ms") per pathological display, the median
//   of several runs. All times are CPU time of the measuring thread.

#include "arithmetic/numbertext.h"
#include "arithmetic/evaluator.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#ifdef NUMBOLO_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

// Times are CPU time of this thread: other load on the machine does not count.
struct Clock {
    using time_point = double;
    static double now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    }
};

double secondsSince(Clock::time_point start)
{
    return Clock::now() - start;
}

// Expressions a child types on the keypad: whole and decimal numbers of up to four digits, the
// four operators, a power with a small exponent, brackets and a leading minus. Every one is
// valid, and both evaluators read it alike (no chained powers, no sign after an operator).
class CorpusMaker {
public:
    explicit CorpusMaker(unsigned seed) : m_random(seed) {}

    std::string expression(int depth = 0)
    {
        std::string text = operand(depth);
        const int terms = pick(1, 4);
        for (int i = 0; i < terms; ++i) {
            text += "+-*/"[pick(0, 3)];
            text += operand(depth);
        }
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::string number()
    {
        std::string digits = std::to_string(pick(1, 9999) / (pick(0, 2) == 0 ? 1 : pick(1, 100)));
        if (pick(0, 5) == 0)
            digits.append(1, '.').append(std::to_string(pick(1, 99)));
        return digits;
    }

    std::string operand(int depth)
    {
        const int kind = pick(0, 9);
        if (kind == 0 && depth < 3)
            return std::string(1, '(').append(expression(depth + 1)).append(1, ')');
        if (kind == 1)
            return number().append(1, '^').append(std::to_string(pick(2, 3)));
        return number();
    }

    std::mt19937 m_random;
};

std::vector<std::string> makeCorpus(std::size_t size)
{
    CorpusMaker maker(20240601);
    std::vector<std::string> corpus;
    for (std::size_t i = 0; i < size; ++i) {
        std::string e = maker.expression();
        if (i % 5 == 0)
            e.insert(e.begin(), '-');
        corpus.push_back(std::move(e));
    }
    return corpus;
}

// Runs `pass` over the corpus until at least `minSeconds` have passed; expressions per second.
template <class Pass>
double throughput(std::size_t corpusSize, double minSeconds, Pass pass)
{
    pass(); // warm-up
    std::size_t done = 0;
    const auto start = Clock::now();
    do {
        pass();
        done += corpusSize;
    } while (secondsSince(start) < minSeconds);
    return double(done) / secondsSince(start);
}

double medianMs(int runs, const auto &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(secondsSince(start) * 1000);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    const numbolo::Evaluator evaluator;
    const std::vector<std::string> corpus = makeCorpus(10'000);
    std::vector<QString> keypadTexts;
    std::size_t characters = 0;
    for (const std::string &e : corpus) {
        keypadTexts.push_back(QString::fromStdString(e));
        characters += e.size();
    }
    std::printf("corpus_expressions %zu\n", corpus.size());
    std::printf("corpus_mean_length %.1f\n", double(characters) / double(corpus.size()));

    volatile double sink = 0;
    const double ours = throughput(corpus.size(), 1.0, [&] {
        for (const QString &text : keypadTexts)
            if (const auto value = evaluator.evaluate(text))
                sink = sink + *value;
    });
    // "=" also writes the value back as text.
    const double oursWithText = throughput(corpus.size(), 1.0, [&] {
        for (const QString &text : keypadTexts)
            if (const auto value = evaluator.evaluate(text))
                sink = sink + double(numbolo::NumberText::format(*value).size());
    });

#ifdef NUMBOLO_HAVE_MUPARSER
    mu::Parser parser;
    std::size_t agree = 0;
    std::size_t divisionByZero = 0; // we refuse, muparser gives an infinity
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const auto ourValue = evaluator.evaluate(keypadTexts[i]);
        try {
            parser.SetExpr(corpus[i]);
            const double theirs = parser.Eval();
            if (ourValue && std::isfinite(theirs) && std::abs(*ourValue - theirs) <= 1e-9 * std::max(1.0, std::abs(theirs)))
                ++agree;
            else if (!ourValue && !std::isfinite(theirs))
                ++divisionByZero;
        } catch (const mu::Parser::exception_type &) {
        }
    }
    std::printf("agree %zu\n", agree);
    std::printf("agree_no_finite_value %zu\n", divisionByZero);
    // Parse and evaluate every time, as "=" does: a new expression is parsed at its first Eval.
    const double theirs = throughput(corpus.size(), 1.0, [&] {
        for (const std::string &text : corpus) {
            try {
                parser.SetExpr(text);
                sink = sink + parser.Eval();
            } catch (const mu::Parser::exception_type &) {
            }
        }
    });
    std::printf("muparser_per_s %.0f\n", theirs);
#endif
    std::printf("ours_per_s %.0f\n", ours);
    std::printf("ours_with_text_per_s %.0f\n", oursWithText);

    const std::vector<std::pair<const char *, QString>> pathological{
        {"million_digits", QString(1'000'000, QLatin1Char('9'))},
        {"million_sum_open_end", QStringLiteral("1+").repeated(500'000)},
        {"million_open_brackets", QString(1'000'000, QLatin1Char('('))},
        {"million_signs", QString(999'999, QLatin1Char('-')) + QLatin1Char('1')},
        {"nested_10000", QString(10'000, QLatin1Char('(')) + QLatin1Char('1') + QString(10'000, QLatin1Char(')'))},
        {"nested_10000_unclosed", QString(10'000, QLatin1Char('(')) + QLatin1Char('1') + QString(9'999, QLatin1Char(')'))},
    };
    for (const auto &[name, text] : pathological) {
        bool refused = false;
        const double time = medianMs(7, [&] { refused = !evaluator.evaluate(text).has_value(); });
        std::printf("%s_%s_ms %.3f\n", refused ? "refuse" : "evaluate", name, time);
    }
    return sink == 12345.678 ? 1 : 0;
}
