#include "play.h"

namespace play {

void image1_Click(BoardState &) {}
void Command8_Click(BoardState &) {}

} // namespace play
