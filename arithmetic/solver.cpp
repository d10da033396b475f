#include "arithmetic/solver.h"

#include "arithmetic/equals.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace numbolo {

namespace {

// The characters of a way. Their order here decides between ways of equal length. A "-" used as
// a sign is a character of its own, Sign, first of all: of two ways of equal length the one that
// has it sooner is chosen, so a way starts with its sign rather than has one after an operator
// where it can ("-204/2", not "204/-2").
constexpr char Sign = '~';
constexpr std::string_view Alphabet = "~0123456789+-*/^.()";
constexpr int BitsPerKey = 5;

// A text of one known length, BitsPerKey bits per character, the first character highest: of two
// codes of one length, the lesser is the text that comes first.
using Code = std::uint64_t;
static_assert(Solver::MaxReach * BitsPerKey <= 60, "a code and its level share 64 bits");

constexpr Code symbol(char key)
{
    return Code(Alphabet.find(key));
}

// `left`, then `key`, then `right` of `rightLength` characters.
constexpr Code join(Code left, char key, Code right, int rightLength)
{
    return (left << BitsPerKey | symbol(key)) << (BitsPerKey * rightLength) | right;
}

// `key` before `code` of `length` characters.
constexpr Code prefixed(char key, Code code, int length)
{
    return symbol(key) << (BitsPerKey * length) | code;
}

// "(" `code` ")", the code having `length` characters.
constexpr Code bracketed(Code code, int length)
{
    return prefixed('(', code, length) << BitsPerKey | symbol(')');
}

QString textOf(Code code, int length)
{
    QString text(length, QLatin1Char(' '));
    for (int i = length - 1; i >= 0; --i, code >>= BitsPerKey) {
        const char key = Alphabet[code & ((1u << BitsPerKey) - 1)];
        text[i] = QLatin1Char(key == Sign ? '-' : key);
    }
    return text;
}

// The evaluator's grammar as kinds of text that can be put side by side without changing how
// each part reads (see Evaluator); every kind includes the one below it.
//   Primary  a number, or "(" Sum ")"
//   Operand  a Primary after any number of "-" (the right side of "^")
//   Power    a Primary, or Power "^" Operand
//   Signed   a Power after any number of "-"
//   Product  a Signed, or Product "*" Signed, or Product "/" Signed
//   Sum      a Product, or Sum "+" Product, or Sum "-" Product
enum Category { Primary, Operand, Power, Signed, Product, Sum, CategoryCount };

Category below(Category category)
{
    switch (category) {
    case Sum:
        return Product;
    case Product:
        return Signed;
    case Signed:
        return Power;
    default:
        return Primary;
    }
}

struct Entry {
    double value;
    Code code;
};

// `a op b` as the evaluator computes it. NaN where the evaluator fails on a division by zero;
// any result that is not finite fails there too.
double combine(double a, char op, double b)
{
    switch (op) {
    case '+':
        return a + b;
    case '-':
        return a - b;
    case '*':
        return a * b;
    case '/':
        return b == 0 ? std::numeric_limits<double>::quiet_NaN() : a / b;
    default:
        return std::pow(a, b);
    }
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

// Values from lo to hi, both included (either may be infinite).
struct Interval {
    double lo, hi;
    bool contains(double v) const { return v >= lo && v <= hi; }
    Interval negated() const { return {-hi, -lo}; }
    // A little wider: more than the rounding of any one operation, and past the subnormals'
    // absolute error.
    Interval widened() const
    {
        constexpr double slack = 0x1p-30;
        constexpr double tiny = 4 * std::numeric_limits<double>::denorm_min();
        return {lo - std::abs(lo) * slack - tiny, hi + std::abs(hi) * slack + tiny};
    }
};

constexpr Interval Everything{-Infinity, Infinity};

Interval sorted(double a, double b)
{
    return a <= b ? Interval{a, b} : Interval{b, a};
}

// At most two intervals.
struct Intervals {
    std::array<Interval, 2> parts{};
    int count = 0;
    void add(Interval part) { parts[std::size_t(count++)] = part.widened(); }
    const Interval *begin() const { return parts.data(); }
    const Interval *end() const { return parts.data() + count; }
};

// A superset of the values v for which `v op y` (with `vLeft`) or else `y op v` lies in `hit`:
// each bound is found by undoing the operation on the widened interval, then widened again.
Intervals preimage(char op, double y, bool vLeft, Interval hit)
{
    Intervals result;
    const auto [lo, hi] = hit.widened();
    switch (op) {
    case '+':
        result.add({lo - y, hi - y});
        break;
    case '-':
        result.add(vLeft ? Interval{lo + y, hi + y} : Interval{y - hi, y - lo});
        break;
    case '*':
        if (y != 0)
            result.add(sorted(lo / y, hi / y));
        else if (hit.contains(0))
            result.add(Everything);
        break;
    case '/':
        if (vLeft) {
            if (y != 0)
                result.add(sorted(lo * y, hi * y));
        } else if (y == 0) {
            if (hit.contains(0))
                result.add(Everything);
        } else if (lo > 0 || hi < 0) {
            result.add(sorted(y / lo, y / hi));
        } else {
            // y / v near 0 or of either sign: |v| large enough, on both sides.
            result.add(y > 0 ? Interval{-Infinity, y / lo} : Interval{y / lo, Infinity});
            result.add(y > 0 ? Interval{y / hi, Infinity} : Interval{-Infinity, y / hi});
        }
        break;
    default:
        if (vLeft) {
            // v ^ y: positive bases give the positive values; negative bases need a whole exponent,
            // even for positive values and odd for negative ones. 0 and underflows are the bases
            // that bring a value near 0.
            if (y == 0) {
                if (hit.contains(1))
                    result.add(Everything);
                break;
            }
            const bool whole = std::trunc(y) == y;
            const bool odd = whole && std::trunc(y / 2) * 2 != y;
            if (hi > 0) {
                const Interval bases = sorted(std::pow(std::max(lo, 0.0), 1 / y), std::pow(hi, 1 / y));
                result.add(bases);
                if (whole && !odd)
                    result.add(bases.negated());
            }
            if (lo < 0 && odd)
                result.add(sorted(std::pow(std::max(-hi, 0.0), 1 / y), std::pow(-lo, 1 / y)).negated());
        } else if (y == 1) {
            if (hit.contains(1))
                result.add(Everything);
        } else if (y == 0) {
            // 0 ^ v is 0 for v > 0 and 1 for v = 0; negative v fail.
            if (hit.contains(0))
                result.add({std::numeric_limits<double>::denorm_min(), Infinity});
            if (hit.contains(1))
                result.add({0, 0});
        } else if (y == -1) {
            if (hit.contains(1) || hit.contains(-1))
                result.add(Everything);
        } else {
            // |y| ^ v has the magnitude of the value; a negative y needs a whole v, whose parity
            // the caller's exact check sorts out.
            const Interval magnitude = lo > 0 ? Interval{lo, hi} : hi < 0 ? Interval{-hi, -lo} : Interval{0, std::max(-lo, hi)};
            if (y > 0 && hi <= 0 && !hit.contains(0))
                break;
            const double base = std::log(std::abs(y));
            result.add(sorted(std::log(y > 0 ? std::max(lo, 0.0) : magnitude.lo) / base,
                              std::log(y > 0 ? hi : magnitude.hi) / base));
        }
    }
    return result;
}

// The entries of a level, sorted by value, whose value lies in `range`.
template <class Visit>
void forEachIn(const std::vector<Entry> &entries, Interval range, Visit visit)
{
    auto e = std::lower_bound(entries.begin(), entries.end(), range.lo,
                              [](const Entry &entry, double v) { return entry.value < v; });
    for (; e != entries.end() && e->value <= range.hi; ++e)
        visit(*e);
}

// A non-owning reference to a callable taking a value and the code of its text.
class Visitor {
public:
    template <class F>
    Visitor(const F &f) // implicit: a lambda passes as a Visitor
        : m_object(&f), m_call([](const void *object, double value, Code code) { (*static_cast<const F *>(object))(value, code); })
    {
    }
    void operator()(double value, Code code) const { m_call(m_object, value, code); }

private:
    const void *m_object;
    void (*m_call)(const void *, double, Code);
};

// The values of one category, each with the length (level) at which it first appears and its
// least code of that length. Open addressing on the value's bits; both zeros are +0, since the
// sign of a zero changes no finite result the evaluator gives.
class ValueTable {
public:
    ValueTable() : m_slots(1024) {}

    void offer(double value, Code code, int level)
    {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
        const std::uint64_t levelCode = std::uint64_t(level) << LevelShift | code;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = (bits * 0x9E3779B97F4A7C15u) >> m_shift;; i = (i + 1) & mask) {
            Slot &slot = m_slots[i];
            if (slot.bits == bits) {
                // An earlier level has the lesser levelCode and keeps the value.
                slot.levelCode = std::min(slot.levelCode, levelCode);
                return;
            }
            if (slot.bits == Empty) {
                slot = {bits, levelCode};
                if (++m_count * 2 > m_slots.size())
                    grow();
                return;
            }
        }
    }

    // The values first seen at `level`, by value.
    std::vector<Entry> take(int level) const
    {
        std::vector<Entry> entries;
        for (const Slot &slot : m_slots)
            if (slot.bits != Empty && int(slot.levelCode >> LevelShift) == level)
                entries.push_back({std::bit_cast<double>(slot.bits), slot.levelCode & CodeMask});
        std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.value < b.value; });
        return entries;
    }

    std::size_t size() const { return m_count; }
    std::size_t bytes() const { return m_slots.capacity() * sizeof(Slot); }
    void release()
    {
        m_slots = {};
        m_count = 0;
    }

private:
    static constexpr std::uint64_t Empty = 0x7FF8'0000'0000'0001u; // a NaN, never a value kept
    static constexpr int LevelShift = 60;
    static constexpr std::uint64_t CodeMask = (std::uint64_t(1) << LevelShift) - 1;
    struct Slot {
        std::uint64_t bits = Empty;
        std::uint64_t levelCode = 0;
    };

    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        --m_shift;
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot &slot : old) {
            if (slot.bits == Empty)
                continue;
            std::size_t i = (slot.bits * 0x9E3779B97F4A7C15u) >> m_shift;
            while (m_slots[i].bits != Empty)
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
    int m_shift = 64 - 10; // 64 less log2 of the slot count, 1024
};

// Which narrow ranges may hold a value of the texts of one length: a Bloom filter over buckets of
// values, each 2^24 ulps wide (about 2^-28 of the value), so that a range of a few buckets is
// answered with one or a few bits. "No" is sure; "maybe" is wrong for a few per cent of ranges.
class ValueFilter {
public:
    // An empty filter, holding nothing, without bits: 0; else 2^bits bits.
    explicit ValueFilter(int bits)
    {
        if (bits == 0)
            return;
        m_shift = 64 - bits;
        m_words.assign((std::size_t(1) << bits) / 64, 0);
    }

    void add(double value)
    {
        const std::size_t i = index(bucket(value));
        m_words[i / 64] |= std::uint64_t(1) << (i % 64);
    }

    bool mayHold(Interval range) const
    {
        const std::uint64_t first = bucket(range.lo), last = bucket(range.hi);
        if (last - first > 4)
            return true;
        for (std::uint64_t b = first; b <= last; ++b) {
            const std::size_t i = index(b);
            if (m_words[i / 64] >> (i % 64) & 1)
                return true;
        }
        return false;
    }

    std::size_t bytes() const { return m_words.capacity() * sizeof(std::uint64_t); }

private:
    // The bits of a double turned so that their order as unsigned numbers is the values' order.
    static std::uint64_t bucket(double value)
    {
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
        return (bits >> 63 ? ~bits : bits | std::uint64_t(1) << 63) >> 24;
    }
    std::size_t index(std::uint64_t bucket) const { return std::size_t((bucket * 0x9E3779B97F4A7C15u) >> m_shift); }

    std::vector<std::uint64_t> m_words;
    int m_shift = 64;
};

// Digits after an optional "-": a whole number, if written as "=" writes it.
bool isWholeNumber(QStringView text)
{
    const QStringView digits = text.startsWith(u'-') ? text.sliced(1) : text;
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

// The tables of one exercise's keys: for each category and each length up to m_built, every value
// a text of that length has and no shorter text of the category has, with its first text.
// Longer texts are searched for the values they need by combining these.
class Solver::Tables {
public:
    // The ways the tables hold: all of them; the plain ones, the ways a child would write,
    // without "^", without a number that starts with "." and without a sign but at the start of
    // a way that is a sign and a product; or the plain ones whose every part has a whole value,
    // without a point and with every division coming out even.
    enum class Kind { All, Plain, Whole };

    Tables(QStringView keys, int reach, Kind kind) : m_plain(kind != Kind::All), m_whole(kind == Kind::Whole)
    {
        for (const QChar c : keys) {
            const char key = c == QLatin1Char('x') ? '*' : char(c.toLatin1());
            if (key >= '0' && key <= '9' && m_digits.find(key) == std::string::npos)
                m_digits.push_back(key);
            else if (key != '\0' && Operators.find(key) != std::string_view::npos)
                m_operators[Operators.find(key)] = true;
        }
        std::sort(m_digits.begin(), m_digits.end());
        m_reach = std::clamp(reach, 0, MaxReach);
        // The tables stop five short of the reach, where building them would cost more than
        // searching the longer sides for the values they need; every split of a way into two
        // sides still leaves one side within them.
        m_tableLevels = std::max(m_reach - (m_plain ? 6 : 5), (m_reach - 1) / 2);
        for (int c = 0; c < CategoryCount; ++c)
            m_same[c] = Category(c);
        if (m_plain)
            m_same[Power] = Primary;
        if (!has('-') || m_plain) {
            m_same[Operand] = Primary;
            m_same[Signed] = m_same[Power];
        }
        if (!has('*') && !has('/'))
            m_same[Product] = m_same[Signed];
        if (!has('+') && !has('-'))
            m_same[Sum] = m_same[Product];
    }

    bool has(char op) const { return m_operators[Operators.find(op)]; }
    bool plain() const { return m_plain; }

    // Builds the tables as far as a search of `length` keys uses them; the reach left. Where the
    // bound on memory stopped the tables short, longer sides are searched instead, more slowly,
    // as long as every split of a way leaves one side within the tables.
    int prepare(int length)
    {
        const int wanted = std::min(m_tableLevels, length - 2);
        while (m_built < wanted && !m_full) {
            const bool complete = build(m_built + 1);
            m_peakBytes = std::max(m_peakBytes, bytes());
            if (complete) {
                ++m_built;
            } else {
                m_full = true;
                for (auto &levels : m_levels)
                    levels[std::size_t(m_built + 1)] = {};
            }
        }
        if (m_full || m_built == m_tableLevels) {
            for (ValueTable &table : m_tables)
                table.release(); // no level will be added: only the sorted levels are read now
            // The two lengths after the tables are searched often where ways are longer still.
            for (int n = m_built + 1; n <= m_built + 2 && n <= length - 2; ++n)
                if (m_filters[std::size_t(n - m_built - 1)].bytes() == 0)
                    buildFilter(n);
        }
        return m_full ? std::min(m_reach, 2 * m_built + 2) : m_reach;
    }

    int reach() const { return m_reach; }

    // Calls visit(value, code) for the texts of `category` with `length` keys whose value lies in
    // `hit`, each with its exact value: all of them but some whose value a shorter text of the
    // category has ("--x", brackets around a whole way, what the tables leave out), which never
    // make a shortest way. With `whole`, the text is a whole way.
    void search(Category category, int length, Interval hit, Visitor visit, bool whole) const;
    QString firstWay(int length, Interval hit, const QString &text, const Evaluator &evaluator) const;

    std::size_t peakBytes() const { return std::max(m_peakBytes, bytes()); }

private:
    static constexpr std::string_view Operators = "+-*/";

    const std::vector<Entry> &level(Category category, int length) const { return m_levels[m_same[category]][length]; }
    std::size_t bytes() const;
    bool build(int n);
    void buildFilter(int length);
    void literals(int length, Interval hit, Visitor visit) const;
    void pairs(Category left, char op, Category right, int length, Interval hit, Visitor visit) const;

    // A value a part of a way may have in these tables.
    bool admits(double value) const { return std::isfinite(value) && (!m_whole || std::trunc(value) == value); }

    bool m_plain = false;
    bool m_whole = false;
    std::string m_digits;
    std::array<bool, 4> m_operators{}; // as in Operators
    std::array<Category, CategoryCount> m_same{}; // the category whose tables serve for each one
    int m_reach = 0;
    int m_tableLevels = 0;
    int m_built = 0;
    bool m_full = false;
    std::array<ValueFilter, 2> m_filters{ValueFilter(0), ValueFilter(0)}; // lengths m_built + 1 and + 2
    std::size_t m_peakBytes = 0;
    std::array<ValueTable, CategoryCount> m_tables;
    std::array<std::array<std::vector<Entry>, MaxReach + 1>, CategoryCount> m_levels;
};

std::size_t Solver::Tables::bytes() const
{
    std::size_t total = 0;
    for (const ValueTable &table : m_tables)
        total += table.bytes();
    for (const auto &levels : m_levels)
        for (const std::vector<Entry> &entries : levels)
            total += entries.capacity() * sizeof(Entry);
    return total + m_filters[0].bytes() + m_filters[1].bytes();
}

// The numbers typed with `length` keys: digits with at most one "." among them. Those with d
// digits after the point are the whole numbers N of their digits over 10^d, both exact, so
// the division rounds as the evaluator's conversion does; N runs over the digit strings from
// the least to the greatest that can come out within `hit`.
void Solver::Tables::literals(int length, Interval hit, Visitor visit) const
{
    static constexpr std::array<double, MaxReach + 1> powersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6,
                                                                  1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    if (m_digits.empty() || hit.hi < 0)
        return;
    const int least = m_digits.front() - '0', greatest = m_digits.back() - '0';
    // decimals < 0: no point; otherwise the point stands before the last `decimals` digits.
    for (int decimals = -1; decimals < length; ++decimals) {
        const int digits = decimals < 0 ? length : length - 1;
        // A plain number has a digit on both sides of its point; a whole one has none.
        if (digits < 1 || (m_plain && (decimals == digits || decimals == 0)) || (m_whole && decimals >= 0))
            continue;
        const double scale = powersOfTen[std::size_t(std::max(decimals, 0))];
        const Interval wide = hit.widened();
        const double first = std::max(std::floor(wide.lo * scale) - 1, 0.0);
        const double last = std::min(std::ceil(wide.hi * scale) + 1, powersOfTen[std::size_t(digits)] - 1);
        if (first > last)
            continue;
        const std::uint64_t from = std::uint64_t(first), to = std::uint64_t(last);
        // Depth-first over the digits, skipping prefixes whose every completion is out of range.
        const bool all = from == 0 && to == std::uint64_t(powersOfTen[std::size_t(digits)]) - 1;
        const auto descend = [&](const auto &self, int position, std::uint64_t number, Code code) -> void {
            if (position == digits) {
                const double value = decimals < 0 ? double(number) : double(number) / scale;
                if (hit.contains(value))
                    visit(value, code);
                return;
            }
            const int rest = digits - position - 1;
            const std::uint64_t place = std::uint64_t(powersOfTen[std::size_t(rest)]);
            const std::uint64_t ones = (place - 1) / 9; // 1...1 with `rest` ones
            for (const char key : m_digits) {
                const std::uint64_t next = number * 10 + std::uint64_t(key - '0');
                if (!all && (next * place + std::uint64_t(greatest) * ones < from || next * place + std::uint64_t(least) * ones > to))
                    continue;
                Code nextCode = code << BitsPerKey | symbol(key);
                if (decimals >= 0 && position + 1 == digits - decimals)
                    nextCode = nextCode << BitsPerKey | symbol('.');
                self(self, position + 1, next, nextCode);
            }
        };
        descend(descend, 0, 0, decimals == digits ? symbol('.') : 0);
    }
}

// Every `left op right` of `length` keys in `hit`. One side of each split is in the tables; the
// other is looked up there, or searched for the values that can bring the result into `hit`.
void Solver::Tables::pairs(Category left, char op, Category right, int length, Interval hit, Visitor visit) const
{
    for (int i = 1; i <= length - 2; ++i) {
        const int j = length - 1 - i;
        const bool leftInTables = i <= m_built, rightInTables = j <= m_built;
        if (!leftInTables && !rightInTables)
            continue; // never with the table levels the reach asks for
        // Go through the side in the tables (the smaller one where both are) and find the other.
        const bool throughLeft = leftInTables && (!rightInTables || level(left, i).size() <= level(right, j).size());
        const Category known = throughLeft ? left : right, other = throughLeft ? right : left;
        const int knownLength = throughLeft ? i : j, otherLength = throughLeft ? j : i;
        for (const Entry &k : level(known, knownLength)) {
            const auto found = [&](double otherValue, Code otherCode) {
                const double a = throughLeft ? k.value : otherValue, b = throughLeft ? otherValue : k.value;
                const double v = combine(a, op, b);
                if (admits(v) && hit.contains(v))
                    visit(v == 0 ? 0.0 : v, join(throughLeft ? k.code : otherCode, op, throughLeft ? otherCode : k.code, j));
            };
            for (const Interval part : preimage(op, k.value, !throughLeft, hit)) {
                if (otherLength <= m_built)
                    forEachIn(level(other, otherLength), part, [&](const Entry &e) { found(e.value, e.code); });
                else
                    search(other, otherLength, part, found, false);
            }
        }
    }
}

void Solver::Tables::search(Category category, int length, Interval hit, Visitor visit, bool whole) const
{
    if (length < 1)
        return;
    if (length <= m_built) {
        forEachIn(level(category, length), hit, [&](const Entry &e) { visit(e.value, e.code); });
        return;
    }
    const int beyond = length - m_built - 1;
    if (beyond < 2 && m_filters[std::size_t(beyond)].bytes() > 0 && !m_filters[std::size_t(beyond)].mayHold(hit))
        return;
    const bool minus = has('-') && !m_plain;
    // A "-" before a text of the category below; "--" never makes a shortest way.
    const auto negated = [&](Category inner) {
        const auto negate = [&](double value, Code code) { visit(-value, prefixed(Sign, code, length - 1)); };
        search(inner, length - 1, hit.negated(), negate, false);
    };
    for (Category c = category;; c = below(c)) {
        switch (c) {
        case Sum:
            for (const char op : {'+', '-'})
                if (has(op))
                    pairs(Sum, op, Product, length, hit, visit);
            break;
        case Product:
            for (const char op : {'*', '/'})
                if (has(op))
                    pairs(Product, op, Signed, length, hit, visit);
            break;
        case Signed:
            if (minus)
                negated(Power);
            break;
        case Power:
            if (!m_plain)
                pairs(Power, '^', Operand, length, hit, visit);
            break;
        case Operand:
            if (minus)
                negated(Primary);
            break;
        case Primary:
            literals(length, hit, visit);
            // Brackets around a whole way only make it longer.
            if (!whole && length >= 3) {
                const auto bracket = [&](double value, Code code) { visit(value, bracketed(code, length - 2)); };
                search(Sum, length - 2, hit, bracket, false);
            }
            return;
        case CategoryCount:
            return;
        }
    }
}

// The first way of `length` keys that "=" shows as `text`, by these tables; empty where
// there is none.
QString Solver::Tables::firstWay(int length, Interval hit, const QString &text, const Evaluator &evaluator) const
{
    std::set<Code> rejected;
    for (;;) {
        Code best = std::numeric_limits<Code>::max();
        const auto found = [&](double, Code code) {
            if (code < best && !rejected.contains(code))
                best = code;
        };
        search(Sum, length, hit, found, true);
        // A plain way has its sign at the start, before a product ("-204/2").
        if (m_plain && has('-'))
            search(Product, length - 1, hit.negated(),
                          [&](double, Code code) { found(0, prefixed(Sign, code, length - 1)); }, false);
        if (best == std::numeric_limits<Code>::max())
            return {};
        const QString way = textOf(best, length);
        if (Equals::displayAfter(evaluator, way) == text)
            return way;
        // The tables and the evaluator disagree on this way: never report it.
        rejected.insert(best);
    }
}

// The filter for a length after the tables: every value search() can come to there, the values
// of the Sums and of the Operands (the one kind that is not a Sum: "-" before a Primary) of that
// length. At least 16 bits a value keep it sparse; the texts of the length after the tables are
// fewer than all pairs of table entries that make one, numbers, brackets and "-" together, and
// those of the length after that fewer than 8 times as many, for any keys.
void Solver::Tables::buildFilter(int length)
{
    const auto count = [](std::size_t n, int times) {
        std::size_t product = 1;
        for (int i = 0; i < times; ++i)
            product *= n;
        return product;
    };
    const int n = m_built + 1;
    std::size_t values = count(m_digits.size(), n) + std::size_t(n) * count(m_digits.size(), n - 1)
        + level(Sum, n - 2).size() + level(Power, n - 1).size() + level(Primary, n - 1).size();
    for (int i = 1; i <= n - 2; ++i)
        values += 2 * level(Sum, i).size() * level(Product, n - 1 - i).size()
            + 2 * level(Product, i).size() * level(Signed, n - 1 - i).size()
            + level(Power, i).size() * level(Operand, n - 1 - i).size();
    if (length > n)
        values *= 8;
    int bits = 12;
    while (bits < 24 && (std::size_t(1) << bits) < 16 * values)
        ++bits;
    ValueFilter filter(bits);
    const auto add = [&filter](double value, Code) { filter.add(value); };
    const auto addNegated = [&filter](double value, Code) { filter.add(-value); };
    search(Sum, length, Everything, add, false);
    if (has('-'))
        search(Primary, length - 1, Everything, addNegated, false);
    m_filters[std::size_t(length - n)] = std::move(filter);
    m_peakBytes = std::max(m_peakBytes, bytes());
}

// Level n of the tables: every value a text of n keys has in each category and no shorter text
// of the category has. False when the bound on memory stopped it.
bool Solver::Tables::build(int n)
{
    auto &tables = m_tables;
    const auto offer = [this, &tables, n](Category category, double value, Code code) {
        if (admits(value))
            tables[category].offer(value, code, n);
    };
    // Each category takes the values of the one below it, then those of its own forms.
    const auto inherit = [&](Category category) {
        for (const Entry &e : level(below(category), n))
            offer(category, e.value, e.code);
    };
    const auto finish = [&](Category category) {
        m_levels[category][std::size_t(n)] = m_tables[category].take(n);
        return bytes() <= MaxTableBytes;
    };
    const auto combineLevels = [&](Category into, Category left, char op, Category right) {
        for (int i = 1; i <= n - 2; ++i) {
            const int j = n - 1 - i;
            for (const Entry &a : level(left, i)) {
                for (const Entry &b : level(right, j))
                    offer(into, combine(a.value, op, b.value), join(a.code, op, b.code, j));
                if (bytes() > MaxTableBytes)
                    return false;
            }
        }
        return true;
    };
    const auto negateLevel = [&](Category into, Category from) {
        for (const Entry &e : level(from, n - 1))
            offer(into, -e.value, prefixed(Sign, e.code, n - 1));
    };

    literals(n, Everything, [&](double value, Code code) { offer(Primary, value, code); });
    if (n >= 3)
        for (const Entry &e : level(Sum, n - 2))
            offer(Primary, e.value, bracketed(e.code, n - 2));
    if (!finish(Primary))
        return false;

    if (m_same[Operand] == Operand) {
        inherit(Operand);
        if (n >= 2)
            negateLevel(Operand, Operand);
        if (!finish(Operand))
            return false;
    }

    if (m_same[Power] == Power) {
        inherit(Power);
        if (!combineLevels(Power, Power, '^', Operand) || !finish(Power))
            return false;
    }

    if (m_same[Signed] == Signed) {
        inherit(Signed);
        if (n >= 2)
            negateLevel(Signed, Signed);
        if (!finish(Signed))
            return false;
    }

    if (m_same[Product] == Product) {
        inherit(Product);
        for (const char op : {'*', '/'})
            if (has(op) && !combineLevels(Product, Product, op, Signed))
                return false;
        if (!finish(Product))
            return false;
    }

    if (m_same[Sum] == Sum) {
        inherit(Sum);
        for (const char op : {'+', '-'})
            if (has(op) && !combineLevels(Sum, Sum, op, Product))
                return false;
        if (!finish(Sum))
            return false;
    }
    return true;
}

Solver::Solver(QStringView keys, int reach)
    : m_tables(std::make_unique<Tables>(keys, reach, Tables::Kind::All))
    , m_plainTables(std::make_unique<Tables>(keys, reach, Tables::Kind::Plain))
    , m_wholeTables(std::make_unique<Tables>(keys, reach, Tables::Kind::Whole))
{
}

Solver::~Solver() = default;

std::size_t Solver::peakMemoryBytes() const
{
    return m_tables->peakBytes() + m_plainTables->peakBytes() + m_wholeTables->peakBytes();
}

namespace {

// A way as a child would write it: no "^", no number that starts with ".", no sign after an
// operator or "(".
bool isPlain(QStringView way)
{
    for (qsizetype i = 0; i < way.size(); ++i) {
        const QChar c = way[i];
        const bool afterOperand = i > 0 && (way[i - 1].isDigit() || way[i - 1] == u')' || way[i - 1] == u'.');
        if (c == u'^' || (c == u'.' && !(i > 0 && way[i - 1].isDigit())) || (c == u'-' && i > 0 && !afterOperand))
            return false;
    }
    return true;
}

} // namespace

Way Solver::solve(QStringView target)
{
    // "057", "-0" and 16 digits are no target: "=" writes none of them.
    const QString text = target.toString();
    const double value = text.toDouble();
    if (!isWholeNumber(target) || Equals::valueText(value) != text)
        return {};

    // Every value "=" shows as the target: a few ulps either way, rounded to 15 digits.
    Interval hit{value, value};
    for (int step = 0; step < 1000 && Equals::valueText(std::nextafter(hit.lo, -Infinity)) == text; ++step)
        hit.lo = std::nextafter(hit.lo, -Infinity);
    for (int step = 0; step < 1000 && Equals::valueText(std::nextafter(hit.hi, Infinity)) == text; ++step)
        hit.hi = std::nextafter(hit.hi, Infinity);

    for (int length = 1; length <= m_tables->reach(); ++length) {
        const int reach = m_tables->prepare(length);
        if (length > reach)
            return {Way::Outcome::NoneWithinReach, QString(), reach};
        const QString shortest = m_tables->firstWay(length, hit, text, m_evaluator);
        if (shortest.isEmpty())
            continue;
        // Of the plain ways of one length, one in whole numbers comes first ("5+7+7+7+7", not
        // "55/4+77/4"); without a point or a division, a way is in whole numbers already.
        // The tables in whole numbers are built only for a way with a point or a division.
        const auto wholeFirst = [&](const QString &plain, int plainLength) {
            if (plain.isEmpty() || (!plain.contains(u'/') && !plain.contains(u'.')))
                return plain;
            const QString whole = m_wholeTables->prepare(plainLength) >= plainLength
                ? m_wholeTables->firstWay(plainLength, hit, text, m_evaluator)
                : QString();
            return whole.isEmpty() ? plain : whole;
        };
        const auto plainWay = [&](int plainLength) {
            if (plainLength > m_plainTables->prepare(plainLength))
                return QString();
            return wholeFirst(m_plainTables->firstWay(plainLength, hit, text, m_evaluator), plainLength);
        };
        if (isPlain(shortest))
            return {Way::Outcome::Found, wholeFirst(shortest, length), length};
        // No way is shorter; a plain one is taken where it is at most PlainExtra presses longer. The
        // plain tables have a sign only before a product at the start: "9-7", not "-7+9".
        for (int plainLength = length; plainLength <= std::min(length + PlainExtra, m_plainTables->reach()); ++plainLength) {
            const QString plain = plainWay(plainLength);
            if (!plain.isEmpty())
                return {Way::Outcome::Found, plain, length};
        }
        return {Way::Outcome::Found, shortest, length};
    }
    return {Way::Outcome::NoneWithinReach, QString(), m_tables->reach()};
}

} // namespace numbolo
