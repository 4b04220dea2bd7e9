#include "results/SeasonLine.h"

#include "results/Number.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::size_t kMinLineLength = 11;
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

bool IsAcceptedLine(const char* line, std::size_t length)
{
    if (length < kMinLineLength)
        return false;
    char first = line[0];
    return first != ';' && first != '#' && !IsSeparator(first);
}

// Number_ParseInt32 (*end set too), with the one- and two-digit numbers of
// most fields read directly.
inline int32_t ReadNumber(const char* s, const char** end)
{
    unsigned first = static_cast<unsigned char>(s[0]) - static_cast<unsigned>('0');
    if (first <= 9) {
        unsigned second = static_cast<unsigned char>(s[1]) - static_cast<unsigned>('0');
        if (second > 9) {
            *end = s + 1;
            return static_cast<int32_t>(first);
        }
        if (static_cast<unsigned char>(s[2]) - static_cast<unsigned>('0') > 9) {
            *end = s + 2;
            return static_cast<int32_t>(first * 10 + second);
        }
    }
    return Number_ParseInt32(s, end);
}

// The scans of the grammar over a line of any length, one character at a
// time. Positions are offsets into the line; every scan stops at its end.
class PlainScanner {
public:
    PlainScanner(const char* line, std::size_t length) : line_(line), length_(length) {}

    const char* Text() const { return line_; }
    std::size_t Length() const { return length_; }
    // The first separator at or after p, or the end.
    std::size_t ToSeparator(std::size_t p) const
    {
        while (p < length_ && !IsSeparator(line_[p]))
            ++p;
        return p;
    }
    // The first character at or after p that is no separator, or the end.
    std::size_t SkipSeparators(std::size_t p) const
    {
        while (p < length_ && IsSeparator(line_[p]))
            ++p;
        return p;
    }
    // The first '-' in [from, to), or kNone.
    std::size_t FindDash(std::size_t from, std::size_t to) const
    {
        for (std::size_t p = from; p < to; ++p) {
            if (line_[p] == '-')
                return p;
        }
        return kNone;
    }

private:
    const char* line_;
    std::size_t length_;
};

// The same scans for a line of at most 64 characters, answered from bit masks
// of where its separators and dashes are (results files hold millions of such
// lines). The line is copied into a zeroed block, so it ends at a NUL byte.
class MaskScanner {
public:
    static constexpr std::size_t kMaxLength = 64;

    MaskScanner(const char* line, std::size_t length) : length_(length)
    {
        std::memset(block_, 0, sizeof block_);
        std::memcpy(block_, line, length);
        Mark();
        uint64_t in_line = length == kMaxLength ? ~uint64_t{0} : (uint64_t{1} << length) - 1;
        others_ = ~separators_ & in_line;
    }

    const char* Text() const { return block_; }
    std::size_t Length() const { return length_; }
    std::size_t ToSeparator(std::size_t p) const { return First(separators_, p, length_); }
    std::size_t SkipSeparators(std::size_t p) const { return First(others_, p, length_); }
    std::size_t FindDash(std::size_t from, std::size_t to) const
    {
        std::size_t dash = First(dashes_, from, kNone);
        return dash < to ? dash : kNone;
    }

private:
    // The first marked position at or after p, or none.
    static std::size_t First(uint64_t marks, std::size_t p, std::size_t none)
    {
        uint64_t rest = p < kMaxLength ? marks >> p : 0;
        return rest ? p + static_cast<std::size_t>(std::countr_zero(rest)) : none;
    }

    void Mark()
    {
        separators_ = 0;
        dashes_ = 0;
#if defined(__SSE2__)
        for (std::size_t i = 0; i < kMaxLength; i += 16) {
            __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block_ + i));
            __m128i blanks = _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '));
            __m128i tabs = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t'));
            __m128i dashes = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('-'));
            separators_ |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(_mm_or_si128(blanks, tabs))))
                           << i;
            dashes_ |= static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(dashes))) << i;
        }
#else
        for (std::size_t i = 0; i < length_; ++i) {
            separators_ |= static_cast<uint64_t>(IsSeparator(block_[i])) << i;
            dashes_ |= static_cast<uint64_t>(block_[i] == '-') << i;
        }
#endif
    }

    char block_[kMaxLength + 8];
    std::size_t length_;
    uint64_t separators_;
    uint64_t others_;
    uint64_t dashes_;
};

// The grammar of a season line, over either scanner.
template <class Scanner>
bool ParseSeason(const Scanner& line, TacticResult* result, std::size_t* name_length)
{
    const char* text = line.Text();
    // Reads "a-b" pairs: the number at from, then the position of the first
    // '-' that follows that number within the field (to). The search starts
    // behind the number rather than at the field's start so that a negative
    // first number's sign is not taken for the joining '-'.
    auto dash_after_number = [&](std::size_t from, std::size_t to, int32_t* value) {
        const char* number_end = text + from;
        *value = ReadNumber(text + from, &number_end);
        return line.FindDash(static_cast<std::size_t>(number_end - text), to);
    };
    auto number_at = [&](std::size_t p) {
        const char* number_end = nullptr;
        return ReadNumber(text + p, &number_end);
    };
    const std::size_t end = line.Length();

    std::size_t pos = line.ToSeparator(0);
    if (pos == end)
        return false;
    *name_length = pos;

    pos = line.SkipSeparators(pos + 1);
    std::size_t goals_end = line.ToSeparator(pos);
    std::size_t dash = dash_after_number(pos, goals_end, &result->goals_for);
    if (dash == kNone)
        return false;
    result->goals_against = number_at(dash + 1);

    pos = line.SkipSeparators(goals_end);
    if (pos == end)
        return false;
    result->points = number_at(pos);

    // Everything from here on is optional and keeps its default when absent.
    pos = line.SkipSeparators(line.ToSeparator(pos));
    if (pos == end)
        return true;
    result->games = number_at(pos);

    pos = line.SkipSeparators(line.ToSeparator(pos));
    if (pos == end)
        return true;
    std::size_t won_end = line.ToSeparator(pos);
    dash = dash_after_number(pos, won_end, &result->won);
    if (dash == kNone)
        return true;
    dash = dash_after_number(dash + 1, won_end, &result->drawn);
    if (dash == kNone)
        return true;
    result->lost = number_at(dash + 1);
    return true;
}

} // namespace

bool SeasonLine_Parse(const char* line, std::size_t length, TacticResult* result, std::size_t* name_length)
{
    if (!IsAcceptedLine(line, length))
        return false;
    if (length <= MaskScanner::kMaxLength)
        return ParseSeason(MaskScanner(line, length), result, name_length);
    return ParseSeason(PlainScanner(line, length), result, name_length);
}
