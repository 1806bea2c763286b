#include "engine.h"
#include "play.h"

#include "forms/numtext.h"

namespace play {

using app::TokenFields;

StepRecorder::StepRecorder(BoardState &st, bool slides) : m_st(st), m_active(!st.history.recording)
{
    if (!m_active)
        return;
    st.history.recording = app::HistoryStep{};
    st.history.recording->before = st.tokenFields();
    st.history.recordSlides = slides;
}

StepRecorder::~StepRecorder()
{
    app::History &h = m_st.history;
    // Nothing the guards let through clears the history while an action runs; should
    // it happen, the action simply leaves no step.
    if (!m_active || !h.recording)
        return;
    app::HistoryStep step = std::move(*h.recording);
    h.recording.reset();
    step.after = m_st.tokenFields();
    if (step.after != step.before) {
        h.done.push_back(std::move(step));
        h.undone.clear();
    }
    m_st.updateMoveActions();
}

void placeTokens(BoardState &st, const TokenFields &fields)
{
    for (int f : st.tokenFields())
        if (BoardState::isIndex(f))
            st.fields[size_t(f)]->setToolTipText(app::FreeTip);
    for (int k = 0; k < app::FieldCount; ++k) {
        const int f = fields[size_t(k)];
        forms::PictureBox *z = st.tokens[size_t(k)];
        if (!BoardState::isIndex(f)) {
            z->setTag(QStringLiteral("-1"));
            continue;
        }
        const QPointF p = tokenPlace(st, k, f);
        z->setPos(float(p.x()), float(p.y()));
        z->setTag(numtext::tagText(std::int64_t(f)));
        st.fields[size_t(f)]->setToolTipText(app::OccupiedTip);
    }
}

namespace {

// Takes one step back (or forward again): slides as the move went, backwards for an
// undo, or every token at once. The tokens must stand where the step left them (or
// found them); if anything else moved them, the history no longer fits and is dropped.
void travel(BoardState &st, std::vector<app::HistoryStep> &from, std::vector<app::HistoryStep> &to, bool back)
{
    if (st.closing || st.busy() || !st.inPlayMode() || from.empty())
        return;
    app::HistoryStep step = std::move(from.back());
    from.pop_back();
    if (st.tokenFields() != (back ? step.after : step.before)) {
        st.clearHistory();
        return;
    }
    if (step.slides.empty()) {
        placeTokens(st, back ? step.before : step.after);
    } else {
        MoveGuard guard(st);
        const std::size_t n = step.slides.size();
        for (std::size_t i = 0; i < n; ++i) {
            const app::HistoryStep::Slide &s = step.slides[back ? n - 1 - i : i];
            if (!slide(st, s.token, back ? s.from : s.to, ClickSlide))
                break; // the window is closing
        }
    }
    to.push_back(std::move(step));
    st.updateMoveActions();
    // Undo and redo never count as a success; back on the target, there is nothing left to solve.
    if (atTarget(st))
        st.success = {};
}

} // namespace

void undo(BoardState &st) { travel(st, st.history.done, st.history.undone, true); }

void redo(BoardState &st) { travel(st, st.history.undone, st.history.done, false); }

} // namespace play
