#include "app.h"

namespace app {

void cmdGanz_Click(BoardState &) {}
void cmdNormal_Click(BoardState &) {}
void image2_Click(BoardState &st) { cmdNormal_Click(st); }
void cmdNaus_Click(BoardState &) {}
void cmdNein_Click(BoardState &) {}
void Command7_Click(BoardState &) {}

} // namespace app
