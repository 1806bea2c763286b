// The moves menu's help: whether the target can be reached, the next move towards it,
// and a whole solution played through.

#include "engine.h"
#include "play.h"

#include "puzzle/puzzle.h"

#include <QApplication>

namespace play {

namespace {

// The board as the puzzle's mathematics sees it. Nothing when the tokens' places and
// the fields' occupation disagree (a hand-made game can do that): then no move the
// game would make can be foretold.
struct Position {
    puzzle::Board board;
    puzzle::Arrangement now;
    puzzle::Arrangement target;
};

std::optional<Position> position(const BoardState &st)
{
    Position p;
    p.now.fill(puzzle::NoToken);
    for (int f = 0; f < app::FieldCount; ++f) {
        p.board.onBoard[size_t(f)] = st.onBoard(f);
        for (int j = 0; j < app::FieldCount; ++j)
            p.board.edge[size_t(f)][size_t(j)] = st.edges[size_t(f)][size_t(j)] == 1;
    }
    const int n = tokensInPlay(st);
    for (int k = 0; k < n; ++k) {
        const std::optional<int> f = st.fieldOfToken(k);
        if (!f || !st.onBoard(*f) || p.now[size_t(*f)] != puzzle::NoToken)
            return std::nullopt;
        p.now[size_t(*f)] = k;
    }
    for (int f = 0; f < app::FieldCount; ++f) {
        const bool free = st.fields[size_t(f)]->toolTipText() == app::FreeTip;
        if (st.onBoard(f) && free != (p.now[size_t(f)] == puzzle::NoToken))
            return std::nullopt;
    }
    p.target = st.targetNumbering ? puzzle::numberedTarget(p.board, *st.targetNumbering)
                                  : puzzle::startArrangement(p.board);
    return p;
}

const QString NotReachable = QStringLiteral("Das Ziel ist von hier aus nicht erreichbar.");
const QString NoStatement = QStringLiteral("Ob das Ziel erreichbar ist, lässt sich auf diesem Brett nicht sicher sagen.");

// A solution from here, with the position it starts from, or nothing after saying why
// there is none to play. The search may take a moment on a large board.
struct Plan {
    Position from;
    std::vector<int> moves;
};

std::optional<Plan> plan(BoardState &st, const QString &title)
{
    const std::optional<Position> p = position(st);
    if (!p) {
        st.svc.messages.information(title, NoStatement);
        return std::nullopt;
    }
    if (p->now == p->target) {
        st.svc.messages.information(title, QStringLiteral("Das Ziel ist schon erreicht."));
        return std::nullopt;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<std::vector<int>> moves = puzzle::solve(p->board, p->now, p->target);
    const bool unknown = !moves && puzzle::analyse(p->board, p->now, p->target).verdict == puzzle::Verdict::Unknown;
    QApplication::restoreOverrideCursor();
    if (!moves || moves->empty()) {
        st.svc.messages.information(title, unknown ? NoStatement : NotReachable);
        return std::nullopt;
    }
    return Plan{*p, std::move(*moves)};
}

// The token that stands on `field` and where the game moves it; nothing when the
// board no longer lets it move as planned.
std::optional<std::pair<int, int>> plannedMove(const BoardState &st, int field)
{
    for (int k = 0; k < tokensInPlay(st); ++k) {
        if (st.fieldOfToken(k) == field) {
            if (const std::optional<int> to = moveTarget(st, k))
                return std::make_pair(k, *to);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

void showSolvability(BoardState &st)
{
    const QString title = QStringLiteral("Lösbarkeit");
    if (st.busy() || !st.inPlayMode())
        return;
    const std::optional<Position> p = position(st);
    if (!p) {
        st.svc.messages.information(title, NoStatement);
        return;
    }
    const puzzle::Analysis a = puzzle::analyse(p->board, p->now, p->target);
    QStringList text;
    switch (a.verdict) {
    case puzzle::Verdict::Reachable:
        text << QStringLiteral("Das Ziel ist von hier aus mit einzelnen Zügen erreichbar.");
        break;
    case puzzle::Verdict::Unreachable: text << NotReachable; break;
    case puzzle::Verdict::Unknown: text << NoStatement; break;
    }
    if (a.reachableCount)
        text << QStringLiteral("Von hier aus erreichbar sind %1 von %2 Anordnungen.")
                    .arg(QString::fromStdString(puzzle::formatGrouped(*a.reachableCount)),
                         QString::fromStdString(puzzle::formatGrouped(a.totalCount)));
    if (a.reason != puzzle::Reason::None)
        text << QString::fromStdString(puzzle::reasonText(a.reason));
    st.svc.messages.information(title, text.join(QLatin1Char(' ')));
}

void showHint(BoardState &st)
{
    if (st.closing || st.busy() || !st.inPlayMode())
        return;
    const std::optional<Plan> p = plan(st, QStringLiteral("Tipp"));
    if (!p)
        return;
    const std::optional<std::pair<int, int>> m = plannedMove(st, p->moves.front());
    if (!m)
        return;
    MoveGuard guard(st);
    StepRecorder step(st, true);
    slide(st, m->first, m->second, ClickSlide);
}

void solveAll(BoardState &st)
{
    if (st.closing || st.busy() || !st.inPlayMode())
        return;
    const std::optional<Plan> p = plan(st, QStringLiteral("Lösen"));
    if (!p)
        return;

    StepRecorder step(st, false);
    setShuffleControlsEnabled(st, false);
    st.shuffleRunning = true;
    st.shuffleActive = 1;
    puzzle::Arrangement expected = p->from.now;
    for (int field : p->moves) {
        st.svc.pacing.pumpEvents();
        if (st.closing || st.shuffleActive == 0)
            break;
        // "Mischen" may strike between two slides; the plan no longer holds then.
        const std::optional<Position> now = position(st);
        if (!now || now->now != expected)
            break;
        expected = puzzle::replay(p->from.board, expected, std::span<const int>(&field, 1)).value_or(expected);
        const std::optional<std::pair<int, int>> m = plannedMove(st, field);
        if (!m)
            break;
        MoveGuard guard(st);
        if (!slide(st, m->first, m->second, ShuffleSlide))
            break;
    }
    st.shuffleActive = 0;
    st.shuffleRunning = false;
    setShuffleControlsEnabled(st, true);
}

} // namespace play
