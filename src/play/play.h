#pragma once
// The play engine: token moves with their cascade, the shuffle by random moves and
// the random arrangements.

#include "view/board_state.h"

namespace play {

using view::BoardState;

void onTokenPressed(BoardState &st, int index, int button, int shift, float x, float y);
// The right click on a token: the properties panel opens beside it.
void openPanel(BoardState &st, int token);
void moveToken(BoardState &st, int token);
void stopCascade(BoardState &st);

void startShuffle(BoardState &st);
void stopShuffle(BoardState &st);

void scramble(BoardState &st);
void setRandomTarget(BoardState &st);

// The moves menu: undo and redo of the user's actions in play, whether the target can
// be reached, the next move towards it, and a whole solution played through. Hints and
// solutions follow one kept plan while the board follows it; a new one is searched for
// on another thread while the window goes on (Escape or the shuffle's stop cancels it).
void undo(BoardState &st);
void redo(BoardState &st);
void showSolvability(BoardState &st);
void showHint(BoardState &st);
void solveAll(BoardState &st);
void stopSearch(BoardState &st);

} // namespace play
