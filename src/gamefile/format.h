#pragma once
// The game file without any widget: the 5013 values of a game, the writer that turns
// them into the exact bytes of a ".swk" file, and the reader that turns bytes back
// into values, checking everything before anybody touches the board.
//
// The file is 5013 lines, Windows-1252, each line ended by CR LF:
//   lines 1..780     65 groups of 12 lines, one per field and token index
//   lines 781..5005  the edge matrix, edges(a, b) at line 781 + 65 a + b
//   lines 5006..5013 mode tags, mode button colours, tokenCount, field size
// The reader also takes lone CR or LF as line ends and ignores lines past 5013.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace gamefile {

constexpr int Slots = 65;
constexpr int GroupLines = 12;
constexpr int EdgeFirstLine = Slots * GroupLines + 1; // 781
constexpr int ModeTagLine = EdgeFirstLine + Slots * Slots; // 5006..5008
constexpr int ModeColourLine = ModeTagLine + 3;           // 5009..5011
constexpr int TokenCountLine = ModeColourLine + 3;          // 5012
constexpr int FieldSizeLine = TokenCountLine + 1;           // 5013
constexpr int LineCount = FieldSizeLine;

constexpr qsizetype MaxFileSize = qsizetype(16) * 1024 * 1024;
// Board positions beyond this (in board pixels) are no game anybody made.
constexpr double PositionLimit = 100000.0;
constexpr int MinFieldSize = 12, MaxFieldSize = 60;

// What one group of 12 lines holds, in line order. Line 10 belongs to the field.
struct Group {
    float fieldLeft = 0, fieldTop = 0;    // 1, 2
    QString fieldTip;                     // 3
    double fieldTag = 0;                  // 4: the tag's number
    float tokenLeft = 0, tokenTop = 0;    // 5, 6
    QString tokenTip;                     // 7
    double tokenTag = 0;                  // 8
    std::int32_t tokenColour = 0;         // 9: background of the token
    std::int16_t fieldPointer = 0;        // 10: mouse pointer code of the field
    bool tokenVisible = false;            // 11
    QString text;                         // 12: tokenTexts
    bool operator==(const Group &) const = default;
};

struct Game {
    std::array<Group, Slots> groups;
    std::array<std::array<std::int32_t, Slots>, Slots> edges{};
    std::array<double, 3> modeTags{};        // setModeButton, connectModeButton, playModeButton
    std::array<std::int32_t, 3> modeColours{};
    std::int32_t tokenCount = 0;
    std::int16_t fieldSize = 42;
    bool operator==(const Game &) const = default;
};

// Line number (1-based) of item 1..12 of group i, and of edges(a, b).
constexpr int groupLine(int i, int item) { return i * GroupLines + item; }
constexpr int edgeLine(int a, int b) { return EdgeFirstLine + a * Slots + b; }

enum class Fault {
    FileTooLarge,     // over MaxFileSize bytes
    TooFewLines,      // the file ends before line 5013
    NumberTooLarge,   // the digits name a value beyond the double range
    NotANumber,       // a line that must be wholly a number is not
    DoesNotFit,       // rounded, the number leaves the 16- or 32-bit range
    NotFinite,        // a value is infinite or NaN (writer side only)
    Position,         // a position outside +-PositionLimit
    Colour,           // neither RGB nor a system colour entry
    Pointer,          // a mouse pointer code other than 0..15 and 99
    Visibility,       // neither True, False nor a number
    Edge,             // an edge value other than 0 and 1
    FieldSize,        // outside MinFieldSize..MaxFieldSize
    ControlCharacter, // a control character other than tab in a text line
    UndefinedByte,    // a byte Windows-1252 leaves undefined, in a text line
    NotEncodable,     // a character Windows-1252 cannot hold (writer side only)
};

struct Problem {
    int line = 0; // 1..5013; 0 = the file as a whole
    Fault fault = Fault::TooFewLines;
    bool operator==(const Problem &) const = default;
};
QString describe(const Problem &p);

// Every value a widget cannot take; the first one in line order.
std::optional<Problem> check(const Game &g);

// Bytes to game, all or nothing: either every line converts and passes the check,
// or there is no game and the first problem in line order says why.
struct Parsed {
    std::optional<Game> game;
    Problem problem;
};
Parsed parse(QByteArrayView bytes);

// Game to bytes. Refuses (std::nullopt, with the reason in *why) a game the check
// refuses, so nothing is ever written that the reader would turn down or read back
// differently: a text with a character outside Windows-1252 or a line break in it
// never becomes a file.
std::optional<QByteArray> write(const Game &g, Problem *why = nullptr);

} // namespace gamefile
