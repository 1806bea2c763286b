#pragma once
// The parts of the play engine the handlers share among themselves, and that the
// tests and benchmarks reach directly.

#include "view/board_state.h"

#include <functional>
#include <optional>
#include <vector>

namespace play {

// Pacing of the three kinds of slide and the pause after a cascade move.
struct SlidePace {
    int steps;
    double delay; // seconds per step, 0 = events only
};
constexpr SlidePace ClickSlide{20, 0.0};
constexpr SlidePace ShuffleSlide{20, 0.01};
constexpr SlidePace CascadeSlide{10, 0.005};
constexpr double CascadePause = 0.2;

// Marks a move as running for as long as it lives, so no second one starts inside it,
// and greys the moves menu meanwhile.
class MoveGuard {
public:
    explicit MoveGuard(view::BoardState &st) : m_st(st)
    {
        m_st.moveInProgress = true;
        m_st.updateMoveActions();
    }
    ~MoveGuard()
    {
        m_st.moveInProgress = false;
        m_st.updateMoveActions();
    }
    MoveGuard(const MoveGuard &) = delete;
    MoveGuard &operator=(const MoveGuard &) = delete;

private:
    view::BoardState &m_st;
};

// Escape works as the running action's stop button for as long as this lives, and only
// then: the rest of the time the key belongs to whatever has the focus. An open menu
// closes first.
class EscapeStops : public QObject {
public:
    explicit EscapeStops(std::function<void()> stop);
    ~EscapeStops() override;

protected:
    bool eventFilter(QObject *, QEvent *e) override;

private:
    std::function<void()> m_stop;
};

// Records one user action as a history step for as long as it lives: the tokens'
// places before and after, and with `slides` every single slide on the way. An action
// that runs inside another one is part of that one's step.
class StepRecorder {
public:
    StepRecorder(view::BoardState &st, bool slides);
    ~StepRecorder();
    StepRecorder(const StepRecorder &) = delete;
    StepRecorder &operator=(const StepRecorder &) = delete;

private:
    view::BoardState &m_st;
    bool m_active;
};

// The controls the shuffle locks while it runs (a solution played through locks them too).
void setShuffleControlsEnabled(view::BoardState &st, bool on);

// Puts every token at once on the field `fields` names, as "Mischen" and undo move
// them, and shows the result.
void placeTokens(view::BoardState &st, const model::TokenFields &fields);

// Slides a token into field `target`; the model takes the move when the slide ends.
// Returns false when the window started closing during the slide (the token is then
// put straight onto the target, so the board stays consistent).
bool slide(view::BoardState &st, int token, int target, SlidePace pace);

// The forced moves after a move of `lastMoved` into `free`.
void cascade(view::BoardState &st, int lastMoved, int free);

// After a shuffle, "Mischen" or "Vorgabe": a success of the player's own is looked for
// when the board now differs from its target.
void setApart(view::BoardState &st);
// After a move of the player's own (a click with its cascade, a hint) of `slides` slides:
// the word of success when it solved what was set apart, unless switched off.
void ownMoveMade(view::BoardState &st, int slides);

} // namespace play
