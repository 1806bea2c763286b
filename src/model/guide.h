#pragma once
// What the moves menu's help keeps from one press to the next: the plan it follows, the
// search tables of the board the plan was made for, and the handle of a running search.

#include "puzzle/puzzle.h"

#include <atomic>
#include <chrono>
#include <vector>

namespace model {

struct Guide {
    // The plan, made for this board and target: the moves, and the arrangement before each
    // of them followed by the target (path.size() == moves.size() + 1). No arrangement comes
    // twice, so where the board stands on it says which move is next. Empty: no plan.
    puzzle::Board board;
    puzzle::Arrangement target{};
    std::vector<int> moves;
    std::vector<puzzle::Arrangement> path;
    // Only the search thread touches it while a search runs; the solver notices a new board itself.
    puzzle::SearchMemo memo;
    // Set by Escape, the shuffle's stop button and closing the window; the search's answer
    // is dropped then. Cleared when a search starts.
    std::atomic<bool> cancel{false};
    // After this the solver gives up looking for short solutions and answers with what it has.
    std::chrono::milliseconds budget{8000};
};

} // namespace model
