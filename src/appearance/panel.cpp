#include "appearance.h"

namespace appearance {

void picsteinFarbe_Click(BoardState &) {}
void pictextfarbe_Click(BoardState &) {}
void Command9_Click(BoardState &) {}
void cmdtxtFeld_Click(BoardState &) {}
void Command11_Click(BoardState &) {}

} // namespace appearance
