#include "editor.h"

namespace editor {

void VScroll1_Change(BoardState &) {}
void Command12_Click(BoardState &) {}

} // namespace editor
