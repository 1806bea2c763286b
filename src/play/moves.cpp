#include "engine.h"
#include "play.h"

#include "forms/numtext.h"

#include <QApplication>
#include <QKeyEvent>

namespace play {

using app::FieldCount;

namespace {

// The field index a token's tag names when the tag is exactly that index's decimal
// text ("7", not "07" or "7.0"): that is how the cascade matches tokens to fields.
int fieldFromExactTag(const QString &tag)
{
    const qsizetype n = tag.size();
    if (n == 0 || n > 2)
        return -1;
    int v = 0;
    for (QChar c : tag) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    if (n == 2 && tag[0] == QLatin1Char('0'))
        return -1;
    return v <= app::MaxIndex ? v : -1;
}

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

int tokensInPlay(const BoardState &st)
{
    const int n = st.tokenCountOrZero();
    return n >= 1 && n <= app::MaxIndex ? n : 0;
}

std::optional<int> moveTarget(const BoardState &st, int token)
{
    if (!BoardState::isIndex(token))
        return std::nullopt;
    const std::optional<int> from = st.fieldOfToken(token);
    if (!from || !st.onBoard(*from))
        return std::nullopt;
    const auto &row = st.edges[size_t(*from)];
    int target = -1;
    for (int j = 0; j < FieldCount; ++j) {
        // A free field in the supply is no place for a token, even when an edge leads there.
        if (row[size_t(j)] == 1 && st.fields[size_t(j)]->toolTipText() == app::FreeTip && st.onBoard(j))
            target = j;
    }
    if (target < 0)
        return std::nullopt;
    return target;
}

CascadeCount cascadeCount(const BoardState &st, int lastMoved, int prevFree)
{
    CascadeCount c;
    c.free = prevFree;
    for (int j = 0; j < FieldCount; ++j) {
        if (st.fields[size_t(j)]->toolTipText() == app::FreeTip && st.onBoard(j))
            c.free = j;
    }
    if (!BoardState::isIndex(c.free))
        return c;

    // Each token's field read once, not once per neighbour.
    std::array<int, FieldCount> on{};
    for (int u = 0; u < FieldCount; ++u)
        on[size_t(u)] = fieldFromExactTag(st.tokens[size_t(u)]->tag());

    const auto &row = st.edges[size_t(c.free)];
    for (int nb = 0; nb < FieldCount; ++nb) {
        if (row[size_t(nb)] != 1)
            continue;
        for (int u = 0; u < FieldCount; ++u) {
            if (u != lastMoved && on[size_t(u)] == nb) {
                ++c.count;
                c.candidate = u;
            }
        }
    }
    return c;
}

QPointF tokenPlace(const BoardState &st, int token, int field)
{
    const forms::PictureBox *z = st.tokens[size_t(token)];
    const forms::PictureBox *f = st.fields[size_t(field)];
    return {double(float(double(f->left()) + (double(f->width()) - double(z->width())) / 2)),
            double(float(double(f->top()) + (double(f->height()) - double(z->height())) / 2))};
}

bool slide(BoardState &st, int token, int target, SlidePace pace)
{
    forms::PictureBox *z = st.tokens[size_t(token)];
    const double startLeft = z->left(), startTop = z->top();
    const QPointF dest = tokenPlace(st, token, target);
    const float destLeft = float(dest.x()), destTop = float(dest.y());
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

    st.fields[size_t(target)]->setToolTipText(app::OccupiedTip);
    const std::optional<int> old = st.fieldOfToken(token);
    if (old)
        st.fields[size_t(*old)]->setToolTipText(app::FreeTip);
    z->setTag(numtext::tagText(std::int64_t(target)));
    ++st.slidesMade;
    if (st.history.recording && st.history.recordSlides)
        st.history.recording->slides.push_back({token, old.value_or(-1), target});
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
        const CascadeCount c = cascadeCount(st, lastMoved, free);
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
    st.tokenTextBox->setText(st.tokenTexts[size_t(token)]);
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
    const std::optional<int> target = moveTarget(st, index);
    if (!target)
        return;

    const int slidesBefore = st.slidesMade;
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
    ownMoveMade(st, st.slidesMade - slidesBefore);
}

void moveToken(BoardState &st, int token)
{
    if (st.closing || st.moveInProgress)
        return;
    const std::optional<int> target = moveTarget(st, token);
    if (!target)
        return;

    MoveGuard guard(st);
    if (slide(st, token, *target, ShuffleSlide))
        cascade(st, token, *target);
}

void stopCascade(BoardState &st) { st.cascadeStopRequested = 1; }

} // namespace play
