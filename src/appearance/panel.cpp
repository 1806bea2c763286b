#include "appearance.h"

namespace appearance {

void openPanel(BoardState &, int) {}
void picsteinFarbe_Click(BoardState &) {}
void pictextfarbe_Click(BoardState &) {}
void Command9_Click(BoardState &) {}
void cmdtxtFeld_Click(BoardState &) {}
void Command11_Click(BoardState &) {}

} // namespace appearance
