#include "play.h"

namespace play {

void Command2_Click(BoardState &) {}
void Command10_Click(BoardState &) {}

} // namespace play
