#include "tctwriter/TctWriter.h"

#include "compare/Formation.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace {

constexpr int kMinValue = -32768;
constexpr int kMaxValue = 32767;
constexpr long kMaxTextBytes = 1024 * 1024;

const char* const kBallStateNames[kFormationBallStates] = {"without ball", "with ball"};

void Put16(std::string& bytes, int offset, int value)
{
    auto bits = static_cast<uint16_t>(static_cast<int16_t>(value));
    bytes[offset] = static_cast<char>(bits & 0xFF);
    bytes[offset + 1] = static_cast<char>(bits >> 8);
}

int Get16(std::string_view bytes, int offset)
{
    auto lo = static_cast<uint8_t>(bytes[offset]);
    auto hi = static_cast<uint8_t>(bytes[offset + 1]);
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A cursor over one line of the description, without its comment.
class LineReader {
public:
    explicit LineReader(std::string_view line) : line_(line) {}

    void SkipBlanks()
    {
        while (pos_ < line_.size() && IsBlank(line_[pos_]))
            ++pos_;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return pos_ == line_.size();
    }
    // The next run of non-blank characters (may be empty at the end).
    std::string_view Word()
    {
        SkipBlanks();
        std::size_t start = pos_;
        while (pos_ < line_.size() && !IsBlank(line_[pos_]))
            ++pos_;
        return line_.substr(start, pos_ - start);
    }
    // A keyword: a run of letters, or whatever stands up to the next blank
    // when the line does not start with a letter.
    std::string_view Keyword()
    {
        SkipBlanks();
        std::size_t start = pos_;
        while (pos_ < line_.size() && IsLetter(line_[pos_]))
            ++pos_;
        if (pos_ == start)
            return Word();
        return line_.substr(start, pos_ - start);
    }
    // The rest of the line from the next non-blank character, trailing blanks cut.
    std::string_view Rest()
    {
        SkipBlanks();
        std::string_view rest = line_.substr(pos_);
        while (!rest.empty() && IsBlank(rest.back()))
            rest.remove_suffix(1);
        pos_ = line_.size();
        return rest;
    }
    bool Take(char c)
    {
        SkipBlanks();
        if (pos_ < line_.size() && line_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // A decimal integer with an optional sign. Values too large for a long
    // are kept at a bound far outside any accepted range.
    bool Integer(long* value)
    {
        SkipBlanks();
        std::size_t p = pos_;
        bool negative = false;
        if (p < line_.size() && (line_[p] == '-' || line_[p] == '+')) {
            negative = line_[p] == '-';
            ++p;
        }
        if (p == line_.size() || !IsDigit(line_[p]))
            return false;
        long magnitude = 0;
        while (p < line_.size() && IsDigit(line_[p])) {
            if (magnitude < 100000000)
                magnitude = magnitude * 10 + (line_[p] - '0');
            ++p;
        }
        last_integer_ = line_.substr(pos_, p - pos_);
        pos_ = p;
        *value = negative ? -magnitude : magnitude;
        return true;
    }
    // The text of the integer read last, as written.
    std::string_view LastInteger() const { return last_integer_; }
    // Whether the integer just read ended at a word boundary.
    bool AtBoundary() const { return pos_ == line_.size() || IsBlank(line_[pos_]) || line_[pos_] == ',' || line_[pos_] == ':'; }
    // The text from the cursor to the next blank, for messages.
    std::string_view Peek()
    {
        SkipBlanks();
        std::size_t end = pos_;
        while (end < line_.size() && !IsBlank(line_[end]))
            ++end;
        return line_.substr(pos_, end - pos_);
    }

private:
    std::string_view line_;
    std::size_t pos_ = 0;
    std::string_view last_integer_;
};

std::string Quote(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string Number(long value)
{
    return std::to_string(value);
}

// The parser's state: what has been given so far, by the line it came on.
class Parser {
public:
    bool Run(std::string_view text, std::string* bytes, TctParseError* error);

private:
    bool Fail(int line, std::string message)
    {
        error_.line = line;
        error_.message = std::move(message);
        return false;
    }
    bool ParseLine(int line_number, std::string_view line);
    bool OnPlayer(int line_number, LineReader& reader);
    bool OnBallState(int line_number, int ball_state);
    bool OnRow(int line_number, LineReader& reader);
    bool ReadCoordinate(int line_number, LineReader& reader, const char* name, int row, int column, int* value);
    // Checks that the current ball state got all its rows.
    bool CloseBallState();
    // Checks that the current player got both ball states.
    bool ClosePlayer();
    std::string Where() const
    {
        return "player " + Number(player_) + ", " + kBallStateNames[ball_state_];
    }

    std::string bytes_ = std::string(kFormationBytes, '\0');
    TctParseError error_;
    int player_ = -1;
    int ball_state_ = -1;
    // The line on which each part was given, 0 while it is not.
    int player_line_[kFormationPlayers] = {};
    int ball_state_line_[kFormationPlayers][kFormationBallStates] = {};
    int row_line_[kFormationPlayers][kFormationBallStates][kFormationZoneRows] = {};
};

bool Parser::Run(std::string_view text, std::string* bytes, TctParseError* error)
{
    int line_number = 0;
    std::size_t start = 0;
    bool ok = true;
    while (ok && start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        ++line_number;
        ok = ParseLine(line_number, text.substr(start, end - start));
        start = end + 1;
    }
    if (ok)
        ok = CloseBallState() && ClosePlayer();
    for (int p = 0; ok && p < kFormationPlayers; ++p) {
        if (player_line_[p] == 0)
            ok = Fail(line_number > 0 ? line_number : 1, "end of input, but player " + Number(p) + " is missing");
    }
    if (!ok) {
        *error = error_;
        return false;
    }
    *bytes = std::move(bytes_);
    return true;
}

bool Parser::ParseLine(int line_number, std::string_view line)
{
    std::size_t hash = line.find('#');
    if (hash != std::string_view::npos)
        line = line.substr(0, hash);
    LineReader reader(line);
    if (reader.AtEnd())
        return true;
    std::string_view keyword = reader.Keyword();
    if (keyword == "player")
        return OnPlayer(line_number, reader);
    if (keyword == "without" || keyword == "with") {
        std::string_view ball = reader.Word();
        if (ball != "ball")
            return Fail(line_number, "expected " + Quote(std::string(keyword) + " ball") + ", got " +
                                         Quote(std::string(keyword) + " " + std::string(ball)));
        if (!reader.AtEnd())
            return Fail(line_number, "unexpected " + Quote(reader.Rest()) + " after " +
                                         Quote(std::string(keyword) + " ball"));
        return OnBallState(line_number, keyword == "with" ? 1 : 0);
    }
    if (keyword == "row")
        return OnRow(line_number, reader);
    return Fail(line_number, "unknown keyword " + Quote(keyword) +
                                 " (expected \"player\", \"without ball\", \"with ball\" or \"row\")");
}

bool Parser::OnPlayer(int line_number, LineReader& reader)
{
    long number = 0;
    if (!reader.Integer(&number) || !reader.AtBoundary())
        return Fail(line_number, "\"player\" needs a player number 0-10");
    if (number < 0 || number >= kFormationPlayers)
        return Fail(line_number, "player number " + std::string(reader.LastInteger()) + " is outside 0-10");
    if (!CloseBallState() || !ClosePlayer())
        return false;
    int p = static_cast<int>(number);
    if (player_line_[p] != 0)
        return Fail(line_number, "player " + Number(p) + " is given twice (first on line " +
                                     Number(player_line_[p]) + ")");
    player_line_[p] = line_number;
    player_ = p;
    ball_state_ = -1;
    reader.Rest(); // the label
    return true;
}

bool Parser::OnBallState(int line_number, int ball_state)
{
    if (player_ < 0)
        return Fail(line_number, Quote(kBallStateNames[ball_state]) + " comes before any \"player\" line");
    if (!CloseBallState())
        return false;
    int& given = ball_state_line_[player_][ball_state];
    if (given != 0)
        return Fail(line_number, "player " + Number(player_) + ": " + Quote(kBallStateNames[ball_state]) +
                                     " is given twice (first on line " + Number(given) + ")");
    given = line_number;
    ball_state_ = ball_state;
    return true;
}

bool Parser::OnRow(int line_number, LineReader& reader)
{
    if (ball_state_ < 0)
        return Fail(line_number, "\"row\" comes before \"without ball\" or \"with ball\"");
    long number = 0;
    if (!reader.Integer(&number) || !reader.AtBoundary())
        return Fail(line_number, "\"row\" needs a zone row number 0-3");
    if (number < 0 || number >= kFormationZoneRows)
        return Fail(line_number, "zone row " + std::string(reader.LastInteger()) + " is outside 0-3");
    int row = static_cast<int>(number);
    int& given = row_line_[player_][ball_state_][row];
    if (given != 0)
        return Fail(line_number, Where() + ": row " + Number(row) + " is given twice (first on line " +
                                     Number(given) + ")");
    reader.Take(':');
    int xs[kFormationZoneColumns];
    int ys[kFormationZoneColumns];
    for (int c = 0; c < kFormationZoneColumns; ++c) {
        if (reader.AtEnd())
            return Fail(line_number, "row " + Number(row) + " has " + Number(c) +
                                         " positions; it needs 3 (zone columns 0, 1, 2)");
        if (!ReadCoordinate(line_number, reader, "x", row, c, &xs[c]))
            return false;
        if (!reader.Take(','))
            return Fail(line_number, "expected \",\" between x and y of zone column " + Number(c) + ", got " +
                                         Quote(reader.Peek()));
        if (!ReadCoordinate(line_number, reader, "y", row, c, &ys[c]))
            return false;
    }
    if (!reader.AtEnd())
        return Fail(line_number, "row " + Number(row) + " has more than 3 positions (unexpected " +
                                     Quote(reader.Rest()) + ")");
    for (int c = 0; c < kFormationZoneColumns; ++c) {
        int offset = Formation_EntryOffset(player_, ball_state_, c, row);
        Put16(bytes_, offset, xs[c]);
        Put16(bytes_, offset + 2, ys[c]);
    }
    given = line_number;
    return true;
}

bool Parser::ReadCoordinate(int line_number, LineReader& reader, const char* name, int row, int column, int* value)
{
    std::string_view seen = reader.Peek();
    long number = 0;
    if (!reader.Integer(&number) || !reader.AtBoundary())
        return Fail(line_number, std::string("expected a number for ") + name + " of zone column " +
                                     Number(column) + " in row " + Number(row) + ", got " + Quote(seen));
    if (number < kMinValue || number > kMaxValue)
        return Fail(line_number, std::string(name) + " " + std::string(reader.LastInteger()) + " of zone column " +
                                     Number(column) + " in row " + Number(row) + " is outside -32768..32767");
    *value = static_cast<int>(number);
    return true;
}

bool Parser::CloseBallState()
{
    if (player_ < 0 || ball_state_ < 0)
        return true;
    for (int r = 0; r < kFormationZoneRows; ++r) {
        if (row_line_[player_][ball_state_][r] == 0)
            return Fail(ball_state_line_[player_][ball_state_], Where() + ": row " + Number(r) + " is missing");
    }
    return true;
}

bool Parser::ClosePlayer()
{
    if (player_ < 0)
        return true;
    for (int s = 0; s < kFormationBallStates; ++s) {
        if (ball_state_line_[player_][s] == 0)
            return Fail(player_line_[player_],
                        "player " + Number(player_) + ": " + Quote(kBallStateNames[s]) + " is missing");
    }
    return true;
}

void CheckIndex(int value, int count, const char* what)
{
    if (value < 0 || value >= count)
        throw std::out_of_range(std::string("TctBuilder: ") + what + " " + std::to_string(value) +
                                " is out of range");
}

} // namespace

std::string TctParseError_Text(const TctParseError& error)
{
    return "line " + std::to_string(error.line) + ": " + error.message;
}

bool TctWriter_Parse(std::string_view text, std::string* bytes, TctParseError* error)
{
    Parser parser;
    return parser.Run(text, bytes, error);
}

std::string TctWriter_Format(std::string_view bytes, const std::vector<std::string>& labels, std::string_view comment)
{
    if (bytes.size() < static_cast<std::size_t>(kFormationBytes))
        throw std::out_of_range("TctWriter_Format: fewer than 1476 bytes");
    std::string text;
    while (!comment.empty()) {
        std::size_t end = comment.find('\n');
        std::string_view line = comment.substr(0, end);
        text += line.empty() ? "#\n" : "# " + std::string(line) + "\n";
        if (end == std::string_view::npos)
            break;
        comment.remove_prefix(end + 1);
    }
    for (int p = 0; p < kFormationPlayers; ++p) {
        if (!text.empty())
            text += "\n";
        text += "player " + std::to_string(p);
        if (p < static_cast<int>(labels.size()) && !labels[p].empty())
            text += "  " + labels[p];
        text += "\n";
        for (int s = 0; s < kFormationBallStates; ++s) {
            text += kBallStateNames[s];
            text += "\n";
            for (int r = kFormationZoneRows - 1; r >= 0; --r) {
                std::string line = "  row " + std::to_string(r) + ":";
                for (int c = 0; c < kFormationZoneColumns; ++c) {
                    int offset = Formation_EntryOffset(p, s, c, r);
                    std::string pair = std::to_string(Get16(bytes, offset)) + "," +
                                       std::to_string(Get16(bytes, offset + 2));
                    // Right-aligned in columns of 8 so the grid lines up.
                    line += std::string(pair.size() < 7 ? 8 - pair.size() : 1, ' ') + pair;
                }
                text += line + "\n";
            }
        }
    }
    return text;
}

bool TctWriter_ReadFile(const char* path, std::string* text, std::string* error)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        *error = std::string("cannot open ") + path + ": " + std::strerror(errno);
        return false;
    }
    std::string content;
    char buffer[4096];
    std::size_t got;
    bool too_large = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (content.size() + got > static_cast<std::size_t>(kMaxTextBytes)) {
            too_large = true;
            break;
        }
        content.append(buffer, got);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (too_large) {
        *error = std::string(path) + " is larger than 1 MiB";
        return false;
    }
    if (failed) {
        *error = std::string("cannot read ") + path;
        return false;
    }
    *text = std::move(content);
    return true;
}

bool TctWriter_WriteFile(const char* path, std::string_view bytes, std::string* error)
{
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        *error = std::string("cannot create ") + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok) {
        std::remove(path);
        *error = std::string("cannot write ") + path;
        return false;
    }
    return true;
}

TctBuilder::TctBuilder() : bytes_(kFormationBytes, '\0') {}

TctBuilder& TctBuilder::Set(int player, int ball_state, int zone_column, int zone_row, int x, int y)
{
    CheckIndex(player, kFormationPlayers, "player");
    CheckIndex(ball_state, kFormationBallStates, "ball state");
    CheckIndex(zone_column, kFormationZoneColumns, "zone column");
    CheckIndex(zone_row, kFormationZoneRows, "zone row");
    if (x < kMinValue || x > kMaxValue || y < kMinValue || y > kMaxValue)
        throw std::out_of_range("TctBuilder: position " + std::to_string(x) + "," + std::to_string(y) +
                                " does not fit 16 bits");
    int offset = Formation_EntryOffset(player, ball_state, zone_column, zone_row);
    Put16(bytes_, offset, x);
    Put16(bytes_, offset + 2, y);
    return *this;
}

TctBuilder& TctBuilder::SetAll(int player, int x, int y)
{
    for (int s = 0; s < kFormationBallStates; ++s)
        for (int c = 0; c < kFormationZoneColumns; ++c)
            for (int r = 0; r < kFormationZoneRows; ++r)
                Set(player, s, c, r, x, y);
    return *this;
}

int TctBuilder::X(int player, int ball_state, int zone_column, int zone_row) const
{
    CheckIndex(player, kFormationPlayers, "player");
    CheckIndex(ball_state, kFormationBallStates, "ball state");
    CheckIndex(zone_column, kFormationZoneColumns, "zone column");
    CheckIndex(zone_row, kFormationZoneRows, "zone row");
    return Get16(bytes_, Formation_EntryOffset(player, ball_state, zone_column, zone_row));
}

int TctBuilder::Y(int player, int ball_state, int zone_column, int zone_row) const
{
    CheckIndex(player, kFormationPlayers, "player");
    CheckIndex(ball_state, kFormationBallStates, "ball state");
    CheckIndex(zone_column, kFormationZoneColumns, "zone column");
    CheckIndex(zone_row, kFormationZoneRows, "zone row");
    return Get16(bytes_, Formation_EntryOffset(player, ball_state, zone_column, zone_row) + 2);
}
