// Writer of the game's tactic files (".tct") from a readable text description
// of the positions, and a builder of such files for tests.
//
// A tactic file here is 1476 bytes; only the position block is filled (11
// players x 2 ball states x 3 zone columns x 4 zone rows, each a signed 16-bit
// x and y, little-endian), every other byte is zero.
//
// The text description
// --------------------
//
//   # Counter442: a 4-4-2 that sits deep and breaks fast.
//   player 0  GK
//   without ball
//     row 3:   12,3   13,3   14,3
//     row 2:   12,2   13,2   14,2
//     row 1:   12,1   13,1   14,1
//     row 0:   11,1   13,1   15,1
//   with ball
//     row 3:   ...
//     ...
//   player 1  LB
//   ...
//
// - "#" starts a comment that runs to the end of the line; blank lines and
//   leading blanks are ignored; lines may end in CR LF.
// - "player N" (N = 0..10, player 0 is the goalkeeper) starts a player; any
//   text after the number is a free label for the reader.
// - "without ball" and "with ball" start the player's two ball states.
// - "row R:" (R = 0..3, the colon may be left out) gives the zone row R of
//   that ball state: three positions "x,y", one per zone column 0, 1, 2 from
//   left to right. Write row 3 (the ball near the opponent's goal) at the top
//   and row 0 (near our own goal) at the bottom, and the block reads like the
//   pitch.
// - x runs across the pitch (0..26), y along it (0..35, our goal at y = 0);
//   any value of a signed 16-bit number (-32768..32767) is accepted.
// - Every player, ball state and row must be given exactly once; the order
//   of players, of ball states and of rows is free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where the text description is wrong: the 1-based line and what is wrong.
struct TctParseError {
    int line = 0;
    std::string message;
};

// "line N: message".
std::string TctParseError_Text(const TctParseError& error);

// Parses a text description into the 1476 bytes of a tactic file. On
// success *bytes holds the file's bytes and the result is true; otherwise
// *error says where and what is wrong, and *bytes is left alone.
bool TctWriter_Parse(std::string_view text, std::string* bytes, TctParseError* error);

// The text description of the positions in bytes (at least 1476 bytes; the
// other bytes are not described). Players get the given labels where there
// are any; comment, when not empty, heads the text as "# " lines. Parsing the
// result gives back the positions exactly.
std::string TctWriter_Format(std::string_view bytes, const std::vector<std::string>& labels = {},
                             std::string_view comment = {});

// Reads a whole file (at most 1 MiB) into *text. Returns false with a
// message in *error when it cannot be opened, read, or is larger.
bool TctWriter_ReadFile(const char* path, std::string* text, std::string* error);

// Writes bytes to the file at path in binary mode, replacing it. Returns false
// with a message in *error when the file cannot be created or written; a
// partly written file is removed again.
bool TctWriter_WriteFile(const char* path, std::string_view bytes, std::string* error);

// Builds a tactic file position by position, for tests. Starts with every
// byte zero. Indices and values out of range throw std::out_of_range.
class TctBuilder {
public:
    TctBuilder();

    // The position (x, y) of a player (0-10) in one situation: ball state 0
    // (without the ball) or 1 (with it), zone column 0-2, zone row 0-3.
    // x and y must fit a signed 16-bit number.
    TctBuilder& Set(int player, int ball_state, int zone_column, int zone_row, int x, int y);
    // The same position in all 24 situations.
    TctBuilder& SetAll(int player, int x, int y);

    int X(int player, int ball_state, int zone_column, int zone_row) const;
    int Y(int player, int ball_state, int zone_column, int zone_row) const;

    // The 1476 bytes of the file.
    const std::string& Bytes() const { return bytes_; }
    // The text description that TctWriter_Parse turns into the same bytes.
    std::string Text() const { return TctWriter_Format(bytes_); }

private:
    std::string bytes_;
};
