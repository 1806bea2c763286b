#include "play.h"

namespace play {

void picZahl_MouseDown(BoardState &, int, int, int, float, float) {}
void openPanel(BoardState &, int) {}
void SteinZiehen(BoardState &, int) {}
void Command3_Click(BoardState &) {}

} // namespace play
