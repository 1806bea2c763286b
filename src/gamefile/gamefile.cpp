#include "gamefile.h"

namespace gamefile {

void cmdSpeichernM_Click(BoardState &) {}
void cmdLadenM_Click(BoardState &) {}

} // namespace gamefile
