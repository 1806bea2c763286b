#include "editor.h"

namespace editor {

void picFeld_MouseDown(BoardState &, int, int, int, float, float) {}
void picFeld_MouseMove(BoardState &, int, int, int, float, float) {}
void picFeld_MouseUp(BoardState &, int, int, int, float, float) {}
void picRahmen_DragOver(BoardState &, int, float, float) {}
void picRahmen_DragDrop(BoardState &, int, float, float) {}
void picFeld_KeyDown(BoardState &, int, int, int) {}
void picFeld_GotFocus(BoardState &, int) {}
void picFeld_LostFocus(BoardState &, int) {}

} // namespace editor
