#pragma once
// The board editor: field placement, edges, field size, board colour and sketch,
// the colour palette and the board redraw.

#include "app/board_state.h"

namespace editor {

using app::BoardState;

// Board redraw: clears the board's picture and draws every edge of Kante.
void KantenZeichnen(BoardState &st);
// The segments the redraw draws, in board pixels: one per joined pair of fields.
QVector<QLineF> edgeLines(const BoardState &st);

// Field placement (all three modes dispatch from the field's mouse press).
void picFeld_MouseDown(BoardState &st, int index, int button, int shift, float x, float y);
void picFeld_MouseMove(BoardState &st, int index, int button, int shift, float x, float y);
void picFeld_MouseUp(BoardState &st, int index, int button, int shift, float x, float y);
void picRahmen_DragOver(BoardState &st, int field, float x, float y);
void picRahmen_DragDrop(BoardState &st, int field, float x, float y);
void picFeld_KeyDown(BoardState &st, int index, int keyCode, int shift);
void picFeld_GotFocus(BoardState &st, int index);
void picFeld_LostFocus(BoardState &st, int index);
// Ends a field drag without a drop: the outline goes, the field stays.
void cancelFieldDrag(BoardState &st);

// Edges: the connect-mode click on field c, and the removal of one field's edges.
void verbindenClick(BoardState &st, int c);
void KantenLoeschen(BoardState &st, int field);

// Field size.
void VScroll1_Change(BoardState &st);
void Command12_Click(BoardState &st);

// Board colour and sketching.
void picRahmen_MouseDown(BoardState &st, int button, int shift, float x, float y);
void picRahmen_MouseMove(BoardState &st, int button, int shift, float x, float y);
void picRahmen_MouseUp(BoardState &st, int button, int shift, float x, float y);
void Command1_Click(BoardState &st);

// Colour palette.
void Picture1_Click(BoardState &st, int index);
void Text1_Click(BoardState &st);

} // namespace editor
