#pragma once
// The board editor: field placement, edges, field size, board colour and sketch,
// the colour palette and the board redraw.

#include "view/board_state.h"

namespace editor {

using view::BoardState;

// Board redraw: clears the board's picture and draws every edge the matrix holds.
void redrawEdges(BoardState &st);
// The segments the redraw draws, in board pixels: one per joined pair of fields.
QVector<QLineF> edgeLines(const BoardState &st);

// Field placement (all three modes dispatch from the field's mouse press).
void onFieldPressed(BoardState &st, int index, int button, int shift, float x, float y);
void onFieldMouseMoved(BoardState &st, int index, int button, int shift, float x, float y);
void onFieldReleased(BoardState &st, int index, int button, int shift, float x, float y);
void onFieldDraggedOverBoard(BoardState &st, int field, float x, float y);
void onFieldDroppedOnBoard(BoardState &st, int field, float x, float y);
void onFieldKeyPressed(BoardState &st, int index, int keyCode, int shift);
void onFieldFocusGained(BoardState &st, int index);
void onFieldFocusLost(BoardState &st, int index);
// Ends a field drag without a drop: the outline goes, the field stays.
void cancelFieldDrag(BoardState &st);

// Edges: the connect-mode click on field c, and the removal of one field's edges.
void onConnectModeClick(BoardState &st, int c);
void removeEdgesOf(BoardState &st, int field);

// Field size.
void onFieldSizeChanged(BoardState &st);
void resetFieldSize(BoardState &st);

// Board colour and sketching.
void onBoardPressed(BoardState &st, int button, int shift, float x, float y);
void onBoardMouseMoved(BoardState &st, int button, int shift, float x, float y);
void onBoardReleased(BoardState &st, int button, int shift, float x, float y);
void eraseBoard(BoardState &st);

// Colour palette.
void onSwatchClicked(BoardState &st, int index);
void chooseCurrentColour(BoardState &st);

} // namespace editor
