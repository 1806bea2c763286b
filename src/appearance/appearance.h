#pragma once
// The token properties panel: stone colour, text colour and text of one token.

#include "app/board_state.h"

namespace appearance {

using app::BoardState;

void picsteinFarbe_Click(BoardState &st);
void pictextfarbe_Click(BoardState &st);
void Command9_Click(BoardState &st);
void cmdtxtFeld_Click(BoardState &st);
void Command11_Click(BoardState &st);

// Lets the token text box take only characters a game file can carry.
void filterTokenText(forms::TextBox *box);

} // namespace appearance
