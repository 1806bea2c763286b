#pragma once
// The token properties panel: stone colour, text colour and text of one token.

#include "view/board_state.h"

namespace appearance {

using view::BoardState;

void chooseTokenColour(BoardState &st);
void chooseTextColour(BoardState &st);
void applyPanelColours(BoardState &st);
void applyTokenText(BoardState &st);
void closePanel(BoardState &st);

// Lets the token text box take only characters a game file can carry.
void filterTokenText(forms::TextBox *box);

} // namespace appearance
