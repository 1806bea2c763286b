#pragma once
// Game files: saving and opening ".swk" games.

#include "app/board_state.h"

namespace gamefile {

using app::BoardState;

void cmdSpeichernM_Click(BoardState &st);
void cmdLadenM_Click(BoardState &st);

} // namespace gamefile
