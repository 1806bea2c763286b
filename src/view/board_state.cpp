#include "board_state.h"

#include "forms/numtext.h"

namespace view {

BoardState::BoardState(Services s) : svc(s), guide(std::make_unique<model::Guide>()) {}

BoardState::~BoardState() = default;

void BoardState::clearHistory()
{
    game.clearHistory();
    updateMoveActions();
}

void BoardState::updateMoveActions()
{
    if (!undoAction)
        return;
    const bool play = inPlayMode() && !busy();
    undoAction->setEnabled(play && !game.history.done.empty());
    redoAction->setEnabled(play && !game.history.undone.empty());
    hintAction->setEnabled(play);
    solveAction->setEnabled(play);
    solvabilityAction->setEnabled(play);
}

// Each property is written only when it differs, so showing an unchanged widget costs a
// comparison and a widget changes exactly as if it had been set by hand.
void BoardState::showFieldPlace(int i)
{
    if (!isIndex(i))
        return;
    const model::Field &m = game.fields[size_t(i)];
    forms::PictureBox *f = fields[size_t(i)];
    if (f->width() != m.width || f->height() != m.height) {
        f->setBounds(m.left, m.top, m.width, m.height);
        f->setUserScale(0, 0, 1, 1);
    } else if (f->left() != m.left || f->top() != m.top) {
        f->setPos(m.left, m.top);
    }
}

void BoardState::showField(int i)
{
    if (!isIndex(i))
        return;
    showFieldPlace(i);
    const model::Field &m = game.fields[size_t(i)];
    forms::PictureBox *f = fields[size_t(i)];
    const QString tag = numtext::tagText(m.tag);
    if (f->tag() != tag)
        f->setTag(tag);
    if (f->toolTipText() != m.tip)
        f->setToolTipText(m.tip);
    if (f->backColor() != m.colour)
        f->setBackColor(m.colour);
    if (f->mousePointer() != m.pointer)
        f->setMousePointer(m.pointer);
}

void BoardState::showToken(int k)
{
    if (!isIndex(k))
        return;
    const model::Token &m = game.tokens[size_t(k)];
    forms::PictureBox *z = tokens[size_t(k)];
    if (z->width() != m.width || z->height() != m.height)
        z->setBounds(m.left, m.top, m.width, m.height);
    else if (z->left() != m.left || z->top() != m.top)
        z->setPos(m.left, m.top);
    const QString tag = numtext::tagText(m.tag);
    if (z->tag() != tag)
        z->setTag(tag);
    if (z->toolTipText() != m.tip)
        z->setToolTipText(m.tip);
    if (z->backColor() != m.colour)
        z->setBackColor(m.colour);
    if (z->foreColor() != m.textColour)
        z->setForeColor(m.textColour);
    if (z->visible() != m.visible)
        z->setVisible(m.visible);
}

void BoardState::showFields()
{
    for (int i = 0; i < FieldCount; ++i)
        showField(i);
}

void BoardState::showTokens()
{
    for (int k = 0; k < FieldCount; ++k)
        showToken(k);
}

void BoardState::showModes()
{
    forms::CommandButton *const buttons[3] = {setModeButton, connectModeButton, playModeButton};
    for (size_t m = 0; m < 3; ++m) {
        const QString tag = numtext::tagText(game.modeTags[m]);
        if (buttons[m]->tag() != tag)
            buttons[m]->setTag(tag);
        if (buttons[m]->backColor() != game.modeColours[m])
            buttons[m]->setBackColor(game.modeColours[m]);
    }
}

} // namespace view
