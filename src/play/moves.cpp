#include "engine.h"
#include "play.h"

#include <QApplication>
#include <QKeyEvent>

namespace play {

using model::FieldCount;

namespace {

// The controls a clicked move locks from the end of its first slide to the end of its
// cascade, in this order; the toolbar's new, open and save go with them, since a new
// board or a load would pull the tokens out from under the cascade.
void setClickControlsEnabled(BoardState &st, bool on)
{
    st.connectModeButton->setEnabled(on);
    st.setModeButton->setEnabled(on);
    st.fileMenu->menuAction()->setEnabled(on);
    st.playModeButton->setEnabled(on);
    st.scrambleButton->setEnabled(on);
    st.newButton->setEnabled(on);
    st.openButton->setEnabled(on);
    st.saveButton->setEnabled(on);
}

} // namespace

EscapeStops::EscapeStops(std::function<void()> stop) : m_stop(std::move(stop)) { qApp->installEventFilter(this); }

EscapeStops::~EscapeStops() { qApp->removeEventFilter(this); }

bool EscapeStops::eventFilter(QObject *, QEvent *e)
{
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(e)->key() != Qt::Key_Escape || QApplication::activePopupWidget())
        return false;
    m_stop();
    return true;
}

bool slide(BoardState &st, int token, int target, SlidePace pace)
{
    forms::PictureBox *z = st.tokens[size_t(token)];
    const double startLeft = z->left(), startTop = z->top();
    const std::pair<float, float> dest = st.game.tokenPlace(token, target);
    const auto [destLeft, destTop] = dest;
    const double dx = double(destLeft) - startLeft, dy = double(destTop) - startTop;

    bool completed = true;
    for (int k = 1; k <= pace.steps; ++k) {
        st.svc.pacing.pumpEvents();
        if (st.closing) {
            completed = false;
            z->setPos(destLeft, destTop);
            break;
        }
        if (pace.delay > 0)
            st.svc.pacing.wait(pace.delay);
        if (k == pace.steps)
            z->setPos(destLeft, destTop); // exactly on the field, whatever the rounding
        else
            z->setPos(float(startLeft + dx * k / pace.steps), float(startTop + dy * k / pace.steps));
    }

    const std::optional<int> old = st.game.fieldOfToken(token);
    st.game.slideDone(token, target, dest);
    st.showField(target);
    if (old)
        st.showField(*old);
    st.showToken(token);
    return completed;
}

void cascade(BoardState &st, int lastMoved, int free)
{
    forms::Pacing &pacing = st.svc.pacing;
    for (;;) {
        pacing.pumpEvents();
        const double pumped = pacing.now();
        if (st.closing)
            return;
        if (st.cascadeStopRequested == 1) {
            st.cascadeStopRequested = 0;
            return;
        }
        if (st.cascadeOption->value() != 1)
            return;
        const model::CascadeCount c = st.game.cascadeCount(lastMoved, free);
        free = c.free;
        if (st.fastOption->value() != 1) {
            // The pause runs from the moment the pump returned.
            const double left = CascadePause - (pacing.now() - pumped);
            if (left > 0)
                pacing.wait(left);
        }
        if (c.count != 1)
            return;
        lastMoved = c.candidate;
        if (!slide(st, c.candidate, free, CascadeSlide))
            return;
    }
}

void openPanel(BoardState &st, int token)
{
    if (!BoardState::isIndex(token))
        return;
    const forms::PictureBox *z = st.tokens[size_t(token)];
    st.tokenTextBox->setText(st.game.tokens[size_t(token)].text);
    st.tokenTextBox->setBackColor(z->backColor());
    st.tokenTextBox->setForeColor(z->foreColor());
    st.tokenPanel->setPos(float(double(z->left()) + double(z->width())), z->top());
    st.tokenPanel->raise();
    st.tokenPanel->setVisible(true);
    st.panelToken = token;
}

void onTokenPressed(BoardState &st, int index, int button, int, float, float)
{
    if (!BoardState::isIndex(index) || st.closing)
        return;
    if (button == 2) {
        openPanel(st, index);
        return;
    }
    // Moves never nest, and a click inside a shuffle would unlock the controls it locked.
    if (button != 1 || st.busy())
        return;
    const std::optional<int> target = st.game.moveTarget(index);
    if (!target)
        return;

    const int slidesBefore = st.game.slidesMade;
    {
        MoveGuard guard(st);
        StepRecorder step(st, true);
        if (!slide(st, index, *target, ClickSlide))
            return; // the window is closing
        setClickControlsEnabled(st, false);
        {
            EscapeStops escape([&st] { stopCascade(st); });
            cascade(st, index, *target);
        }
        setClickControlsEnabled(st, true);
    }
    ownMoveMade(st, st.game.slidesMade - slidesBefore);
}

void moveToken(BoardState &st, int token)
{
    if (st.closing || st.moveInProgress)
        return;
    const std::optional<int> target = st.game.moveTarget(token);
    if (!target)
        return;

    MoveGuard guard(st);
    if (slide(st, token, *target, ShuffleSlide))
        cascade(st, token, *target);
}

void stopCascade(BoardState &st) { st.cascadeStopRequested = 1; }

} // namespace play
