// The moves menu's help: whether the target can be reached, the next move towards it,
// and a whole solution played through, both along one kept plan.

#include "engine.h"
#include "model/guide.h"
#include "play.h"

#include "puzzle/puzzle.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <functional>
#include <map>
#include <thread>

namespace play {

namespace {

using model::Guide;
using model::Position;

std::optional<Position> position(const BoardState &st) { return st.game.position(); }

const QString NotReachable = QStringLiteral("Das Ziel ist von hier aus nicht erreichbar.");
const QString AlreadyThere = QStringLiteral("Das Ziel ist schon erreicht.");
const QString NoStatement = QStringLiteral("Ob das Ziel erreichbar ist, lässt sich auf diesem Brett nicht sicher sagen.");

struct Answer {
    std::optional<std::vector<int>> moves;
    bool unknown = false; // no moves, and no statement possible either
};

// Solves on a worker thread while this one goes on handling events, so the window
// repaints and the stop can reach the search. Nothing when the search was cancelled.
std::optional<Answer> search(BoardState &st, const Position &p)
{
    Guide &g = *st.guide;
    g.cancel = false;
    Answer answer;
    bool done = false;
    QEventLoop loop; // after `done`: its end drops a report still on its way
    const auto deadline = std::chrono::steady_clock::now() + g.budget;
    std::thread worker([&] {
        puzzle::Limits limits;
        limits.stop = [&] { return g.cancel.load() || std::chrono::steady_clock::now() >= deadline; };
        try {
            answer.moves = puzzle::solve(p.board, p.now, p.target, limits, &g.memo);
            answer.unknown = !answer.moves && puzzle::analyse(p.board, p.now, p.target, limits).verdict == puzzle::Verdict::Unknown;
        } catch (const std::bad_alloc &) {
            answer = Answer{std::nullopt, true};
        }
        QMetaObject::invokeMethod(&loop, [&] { done = true; loop.quit(); }, Qt::QueuedConnection);
    });

    MoveGuard guard(st); // no token moves under the search, "Mischen" included
    st.searching = true;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    {
        EscapeStops escape([&st] { stopSearch(st); });
        // The cursor shows before the wait; what the user does meanwhile runs here or in the loop.
        st.svc.pacing.pumpEvents();
        if (!done && !st.closing)
            loop.exec();
    }
    if (!done) // the loop was ended from outside: the program is quitting
        g.cancel = true;
    worker.join();
    QApplication::restoreOverrideCursor();
    st.searching = false;
    if (g.cancel || st.closing)
        return std::nullopt;
    return answer;
}

bool sameBoard(const puzzle::Board &a, const puzzle::Board &b) { return a.onBoard == b.onBoard && a.edge == b.edge; }

// Where the kept plan goes on from the board as it stands: the index of its next move,
// or nothing when the board, the target or the arrangement left the plan.
std::optional<size_t> onPlan(const Guide &g, const Position &p)
{
    if (g.moves.empty() || g.target != p.target || !sameBoard(g.board, p.board))
        return std::nullopt;
    for (size_t i = 0; i < g.moves.size(); ++i)
        if (g.path[i] == p.now)
            return i;
    return std::nullopt;
}

void forgetPlan(Guide &g)
{
    g.moves.clear();
    g.path.clear();
}

// Keeps a solution as the plan, with every stretch that comes back to an arrangement it
// passed before cut out: a plan without repeats cannot lead hints in circles.
void keepPlan(Guide &g, const Position &p, const std::vector<int> &moves)
{
    forgetPlan(g);
    g.board = p.board;
    g.target = p.target;
    g.path.push_back(p.now);
    std::map<puzzle::Arrangement, size_t> seen{{p.now, 0}};
    for (int field : moves) {
        const std::optional<puzzle::Arrangement> next = puzzle::replay(p.board, g.path.back(), std::span<const int>(&field, 1));
        if (!next) { // solve checks its answers, so this is not expected
            forgetPlan(g);
            return;
        }
        if (const auto it = seen.find(*next); it != seen.end()) {
            const size_t back = it->second;
            for (size_t k = back + 1; k < g.path.size(); ++k)
                seen.erase(g.path[k]);
            g.path.resize(back + 1);
            g.moves.resize(back);
        } else {
            seen.emplace(*next, g.path.size());
            g.path.push_back(*next);
            g.moves.push_back(field);
        }
    }
}

// The index of the next move of a plan that leads from the board as it stands to the
// target: the kept one where the board follows it, else a new one from a search. Nothing
// after saying why there is none (or quietly, when the search was cancelled or the board
// changed while it ran).
std::optional<size_t> nextOnPlan(BoardState &st, const QString &title)
{
    const std::optional<Position> p = position(st);
    if (!p) {
        st.svc.messages.information(title, NoStatement);
        return std::nullopt;
    }
    if (p->now == p->target) {
        st.svc.messages.information(title, AlreadyThere);
        return std::nullopt;
    }
    Guide &g = *st.guide;
    if (const std::optional<size_t> at = onPlan(g, *p))
        return at;
    const std::optional<Answer> a = search(st, *p);
    if (!a)
        return std::nullopt;
    if (!a->moves || a->moves->empty()) {
        forgetPlan(g);
        st.svc.messages.information(title, a->unknown ? NoStatement : NotReachable);
        return std::nullopt;
    }
    keepPlan(g, *p, *a->moves);
    // "Vorgabe" works during the search and may have moved the target away.
    const std::optional<Position> after = position(st);
    return after ? onPlan(g, *after) : std::nullopt;
}

// The token that stands on `field` and where the game moves it; nothing when the
// board no longer lets it move as planned.
std::optional<std::pair<int, int>> plannedMove(const BoardState &st, int field)
{
    for (int k = 0; k < st.game.tokensInPlay(); ++k) {
        if (st.game.fieldOfToken(k) == field) {
            if (const std::optional<int> to = st.game.moveTarget(k))
                return std::make_pair(k, *to);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

void setApart(BoardState &st) { st.game.success.setApart(st.game.atTarget()); }

void ownMoveMade(BoardState &st, int slides)
{
    if (!st.game.success.moved(slides, st.game.atTarget()) || st.closing || !st.reportSuccessAction->isChecked())
        return;
    const int n = st.game.success.moves;
    st.svc.messages.information(QStringLiteral("Erfolg"), n == 1 ? QStringLiteral("Geschafft! Das Ziel ist nach 1 Zug erreicht.")
                                                                 : QStringLiteral("Geschafft! Das Ziel ist nach %1 Zügen erreicht.").arg(n));
}

void showSolvability(BoardState &st)
{
    const QString title = QStringLiteral("Lösbarkeit");
    if (st.busy() || !st.inPlayMode())
        return;
    // With nothing to arrange there is nothing to count either.
    bool anyField = false;
    for (int f = 0; f < model::FieldCount; ++f)
        anyField = anyField || st.onBoard(f);
    if (!anyField || st.game.tokensInPlay() == 0) {
        st.svc.messages.information(title, anyField ? QStringLiteral("Auf dem Brett steht kein Stein, also gibt es nichts zu ordnen.")
                                                    : QStringLiteral("Auf dem Brett ist kein Feld, also gibt es nichts zu ordnen."));
        return;
    }
    const std::optional<Position> p = position(st);
    if (!p) {
        st.svc.messages.information(title, NoStatement);
        return;
    }
    const puzzle::Analysis a = puzzle::analyse(p->board, p->now, p->target);
    QStringList text;
    if (p->now == p->target)
        text << AlreadyThere;
    else if (a.verdict == puzzle::Verdict::Reachable)
        text << QStringLiteral("Das Ziel ist von hier aus erreichbar.");
    else
        text << (a.verdict == puzzle::Verdict::Unreachable ? NotReachable : NoStatement);
    const bool limited = a.reachableCount && *a.reachableCount < a.totalCount;
    if (a.reachableCount) {
        const QString reach = QString::fromStdString(puzzle::formatGrouped(*a.reachableCount));
        const QString total = QString::fromStdString(puzzle::formatGrouped(a.totalCount));
        const QString of = a.totalCount == puzzle::BigUnsigned(1) ? QStringLiteral("Anordnung") : QStringLiteral("Anordnungen");
        text << (*a.reachableCount == puzzle::BigUnsigned(1) ? QStringLiteral("Von hier aus ist %1 von %2 %3 erreichbar.")
                                                             : QStringLiteral("Von hier aus sind %1 von %2 %3 erreichbar."))
                    .arg(reach, total, of);
    }
    // A reason the board's shape gives explains the count above; the others (one-way
    // edges, free fields, a broken target) stand on their own.
    switch (a.reason) {
    case puzzle::Reason::FieldWithoutEdges:
    case puzzle::Reason::SeparateParts:
    case puzzle::Reason::BridgeBlocks:
    case puzzle::Reason::ArticulationBlocks:
    case puzzle::Reason::CycleRotationsOnly:
    case puzzle::Reason::BipartiteHalf:
    case puzzle::Reason::ExceptionalBoard:
        if (limited)
            text << QStringLiteral("Mehr lässt das Brett nicht zu.");
        break;
    default: break;
    }
    if (a.reason != puzzle::Reason::None)
        text << QString::fromStdString(puzzle::reasonText(a.reason));
    st.svc.messages.information(title, text.join(QLatin1Char(' ')));
}

void showHint(BoardState &st)
{
    if (st.closing || st.busy() || !st.inPlayMode())
        return;
    const std::optional<size_t> at = nextOnPlan(st, QStringLiteral("Tipp"));
    if (!at || st.closing)
        return;
    const std::optional<std::pair<int, int>> m = plannedMove(st, st.guide->moves[*at]);
    if (!m)
        return;
    {
        MoveGuard guard(st);
        StepRecorder step(st, true);
        slide(st, m->first, m->second, ClickSlide);
    }
    ownMoveMade(st, 1);
}

void solveAll(BoardState &st)
{
    if (st.closing || st.busy() || !st.inPlayMode())
        return;
    const std::optional<size_t> from = nextOnPlan(st, QStringLiteral("Lösen"));
    if (!from || st.closing)
        return;

    const Guide &g = *st.guide;
    forms::Pacing &pacing = st.svc.pacing;
    StepRecorder step(st, false);
    setShuffleControlsEnabled(st, false);
    st.shuffleRunning = true;
    st.updateMoveActions();
    st.shuffleActive = 1;
    st.game.success = {}; // a board solved for the player is no success of the player's
    const QString caption = st.window->windowTitle();
    EscapeStops escape([&st] { stopShuffle(st); });
    for (size_t i = *from; i < g.moves.size(); ++i) {
        const size_t left = g.moves.size() - i;
        st.window->setWindowTitle(left == 1 ? caption + QStringLiteral(" – Lösen: noch 1 Zug")
                                            : caption + QStringLiteral(" – Lösen: noch %1 Züge").arg(left));
        pacing.pumpEvents();
        const double pumped = pacing.now();
        if (st.closing || st.shuffleActive == 0)
            break;
        // Paced as the cascade: a pause between two moves unless "schnell" is checked.
        if (i > *from && st.fastOption->value() != 1) {
            const double pause = CascadePause - (pacing.now() - pumped);
            if (pause > 0)
                pacing.wait(pause);
        }
        // "Mischen" and "Vorgabe" may strike between two slides; the plan no longer holds then.
        const std::optional<Position> now = position(st);
        if (!now || onPlan(g, *now) != i)
            break;
        const std::optional<std::pair<int, int>> m = plannedMove(st, g.moves[i]);
        if (!m)
            break;
        MoveGuard guard(st);
        if (!slide(st, m->first, m->second, ShuffleSlide))
            break;
    }
    st.window->setWindowTitle(caption);
    st.shuffleActive = 0;
    st.shuffleRunning = false;
    setShuffleControlsEnabled(st, true);
    st.updateMoveActions();
}

void stopSearch(BoardState &st) { st.guide->cancel = true; }

} // namespace play
