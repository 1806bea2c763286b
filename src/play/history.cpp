#include "engine.h"
#include "play.h"

namespace play {

StepRecorder::StepRecorder(BoardState &st, bool slides) : m_st(st), m_active(st.game.beginStep(slides)) {}

StepRecorder::~StepRecorder()
{
    if (!m_active)
        return;
    m_st.game.endStep();
    m_st.updateMoveActions();
}

void placeTokens(BoardState &st, const model::TokenFields &fields)
{
    st.game.placeTokens(fields);
    st.showTokens();
    st.showFields();
}

namespace {

// Takes one step back (or forward again): slides as the move went, backwards for an
// undo, or every token at once. The tokens must stand where the step left them (or
// found them); if anything else moved them, the history no longer fits and is dropped.
void travel(BoardState &st, bool back)
{
    if (st.closing || st.busy() || !st.inPlayMode())
        return;
    std::optional<model::HistoryStep> step = st.game.takeStep(back);
    if (!step) {
        st.updateMoveActions();
        return;
    }
    if (step->slides.empty()) {
        placeTokens(st, back ? step->before : step->after);
    } else {
        MoveGuard guard(st);
        const std::size_t n = step->slides.size();
        for (std::size_t i = 0; i < n; ++i) {
            const model::HistoryStep::Slide &s = step->slides[back ? n - 1 - i : i];
            if (!slide(st, s.token, back ? s.from : s.to, ClickSlide))
                break; // the window is closing
        }
    }
    (back ? st.game.history.undone : st.game.history.done).push_back(std::move(*step));
    st.updateMoveActions();
    // Undo and redo never count as a success; back on the target, there is nothing left to solve.
    if (st.game.atTarget())
        st.game.success = {};
}

} // namespace

void undo(BoardState &st) { travel(st, true); }

void redo(BoardState &st) { travel(st, false); }

} // namespace play
