#pragma once
// The game itself, without a single widget: the fields and tokens with everything a
// saved game holds of them, the edges, the work mode, the target and the history of
// moves, and the rules that decide which token may go where. The window shows this and
// reports the user's input to the features that change it.
//
// Some values keep the form they have in a saved game, because files rely on it: a
// field lies on the board when its tag is 1, a field is free when its tooltip reads
// "frei", a token stands on the field its tag names, and a mode is on when its tag is 1.

#include "puzzle/puzzle.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace model {

constexpr int FieldCount = 65;
constexpr int MaxIndex = FieldCount - 1;
constexpr bool isIndex(int i) { return i >= 0 && i <= MaxIndex; }

// Tooltip words that record occupation.
inline const QString FreeTip = QStringLiteral("frei");
inline const QString OccupiedTip = QStringLiteral("besetzt");

using Colour = std::int32_t; // red in the lowest byte; the top bit names a system colour
constexpr Colour ButtonFace = Colour(0x8000000Fu);
using Edges = std::array<std::array<std::int32_t, FieldCount>, FieldCount>; // 1 = edge
// Where every token stands: its field, or -1 when it is out of play.
using TokenFields = std::array<int, FieldCount>;

struct Field {
    float left = 0, top = 0, width = 42, height = 42; // board pixels
    double tag = 0;                                    // 1: on the board
    QString tip = FreeTip;                             // "frei" or "besetzt"
    Colour colour = 0xFFFFFF;
    std::int16_t pointer = 0; // mouse pointer code
    bool onBoard() const { return tag == 1.0; }
    bool free() const { return tip == FreeTip; }
};

struct Token {
    float left = 0, top = 0, width = 32, height = 32;
    double tag = -1; // the field it stands on; -1 out of play
    QString tip;
    Colour colour = 0, textColour = 0xFFFFFF;
    bool visible = false;
    QString text; // what play mode writes on it
};

enum class Mode { Set, Connect, Play };

// One user action in play, for undo and redo: where the tokens stood before and after
// it, and for a clicked move (with its cascade) or a hint the single slides in order,
// which undo plays backwards. A shuffle, "Mischen" or a solution has no slides: its
// tokens go back at once.
struct HistoryStep {
    struct Slide { int token, from, to; };
    TokenFields before{}, after{};
    std::vector<Slide> slides;
};

struct History {
    std::vector<HistoryStep> done, undone;
    // The step being recorded while its action runs.
    std::optional<HistoryStep> recording;
    bool recordSlides = false;
};

// Whether the player's own moves bring the board back to its target after a shuffle,
// "Mischen" or "Vorgabe" set it apart, and how many slides they took on the way. Open
// only while there is something to solve, so a board merely moved away and back, or one
// solved already, says nothing.
struct SuccessWatch {
    bool open = false;
    int moves = 0;
    void setApart(bool atTarget)
    {
        open = !atTarget;
        moves = 0;
    }
    // A move of the player's own; true once, when it reaches the target.
    bool moved(int slides, bool atTarget)
    {
        if (!open)
            return false;
        moves += slides;
        open = !atTarget;
        return atTarget;
    }
};

// One cascade pass: the free board field (the last one found, or the previous free
// field when there is none) and the tokens other than the last moved one that stand
// next to it: how many, and the last one found.
struct CascadeCount {
    int free = -1;
    int count = 0;
    int candidate = -1;
};

// The board as the puzzle's mathematics sees it.
struct Position {
    puzzle::Board board;
    puzzle::Arrangement now;
    puzzle::Arrangement target;
};

struct Game {
    std::array<Field, FieldCount> fields;
    std::array<Token, FieldCount> tokens;
    Edges edges{};
    std::array<double, 3> modeTags{};     // set, connect, play
    // The mode buttons' colours, kept for the file: the system's button face unless a file says otherwise.
    std::array<Colour, 3> modeColours{ButtonFace, ButtonFace, ButtonFace};
    // Number of tokens in play; empty until play first starts, and empty counts as 0.
    std::optional<std::int32_t> tokenCount;
    int fieldSize = 42;
    std::array<std::int32_t, FieldCount> startFields{};
    // The numbering "Vorgabe" last wrote since play began (token targetNumbering[i] on
    // field i); without one the target is the start order.
    std::optional<std::vector<int>> targetNumbering;
    History history;
    SuccessWatch success;
    int slidesMade = 0; // every slide so far, so an action can tell how many it made

    // ---- modes ----
    bool inMode(Mode m) const { return modeTags[size_t(m)] == 1.0; }
    void setMode(Mode m);

    // ---- where things stand ----
    bool onBoard(int field) const { return isIndex(field) && fields[size_t(field)].onBoard(); }
    // The field a token stands on, or nullopt when its tag names no field 0..64.
    std::optional<int> fieldOfToken(int token) const;
    TokenFields tokenFields() const;
    std::int32_t tokenCountOrZero() const { return tokenCount.value_or(0); }
    // The token count when it can serve as a count of tokens 0..N-1, otherwise 0.
    int tokensInPlay() const;
    // Where a token stands on a field: centred on it.
    std::pair<float, float> tokenPlace(int token, int field) const;

    // ---- the move rule ----
    // The field a token would move into, or nullopt when it cannot move.
    std::optional<int> moveTarget(int token) const;
    CascadeCount cascadeCount(int lastMoved, int prevFree) const;
    // The bookkeeping when a token has slid into `target` and come to rest at `place`:
    // its tag, the occupation of the two fields, the count of slides and the step being
    // recorded.
    void slideDone(int token, int target, std::pair<float, float> place);
    // Every token at once on the field `fields` names, as "Mischen" and undo move them.
    void placeTokens(const TokenFields &fields);

    // ---- play ----
    // Outside play every token leaves the board and every field is free.
    void tokensOff(std::int16_t pointer);
    // Play starts: tokens 0, 1, 2, ... on the board fields in index order, the last free.
    void layOutTokens();
    // "Mischen": the first n tokens change places and fields as `perm` says.
    void rearrange(const std::vector<int> &perm);
    // The board for the puzzle's mathematics; nothing when the tokens' places and the
    // fields' occupation disagree (a hand-made game can do that).
    std::optional<Position> position() const;
    bool atTarget() const;

    // ---- history ----
    void clearHistory();
    // Starts recording a step unless one is being recorded; true when this call started it.
    bool beginStep(bool slides);
    // Ends the step begun by beginStep; one that changed nothing is no step.
    void endStep();
    // Takes the last step to undo (back) or redo: nothing when there is none, and none
    // left at all when the tokens no longer stand where the step left them.
    std::optional<HistoryStep> takeStep(bool back);

    // ---- the editor ----
    void toggleEdge(int a, int c);
    void removeEdgesOf(int field);
    // All fields square of `size`, each about its centre.
    void resizeFields(int size);
};

} // namespace model
