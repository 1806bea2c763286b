#include "editor.h"
#include "forms/numtext.h"

#include <QPointF>
#include <cmath>

namespace editor {

namespace {

constexpr float SupplyLeft = 16, SupplyTop = 36;

// "x:  79,  y:  179": the readout of a field position.
QString readout(float left, float top)
{
    return QStringLiteral("x: ") + numtext::fromSingle(left) + QStringLiteral(",  y: ") + numtext::fromSingle(top);
}

// Where the dragged field would land with the pointer at (x, y): the grab point stays
// under the pointer, the position is whole.
QPointF dropPosition(const BoardState &st, const forms::PictureBox *f, float x, float y)
{
    return {std::floor(x - f->width() * st.grabX), std::floor(y - f->height() * st.grabY)};
}

// The pixel a fractional position lies in.
QPoint pixelAt(QPointF p) { return {int(std::floor(p.x())), int(std::floor(p.y()))}; }

struct BoardPointer {
    QPointF pos;          // board pixels, fractional
    bool ownSurface;      // over the board itself, not over anything lying on it
};

// The pointer of the last mouse event the field saw. The field holds the mouse grab,
// so its events arrive wherever the pointer is; the hit test runs from the window,
// so a window control lying over the board (the "X" button) is no board either.
BoardPointer pointerOnBoard(const BoardState &st, const forms::PictureBox *field)
{
    const QPointF global = field->lastGlobalPos();
    QWidget *surface = st.board->surface();
    const QPointF px = surface->mapFromGlobal(global);
    const QWidget *hit = st.window->childAt(pixelAt(st.window->mapFromGlobal(global)));
    return {st.board->fromPixels(px), hit == surface};
}

void moveOutline(BoardState &st, const forms::PictureBox *f, QPointF board)
{
    const QPointF topLeft =
        st.board->toPixels(QPointF(board.x() - double(f->width()) * double(st.grabX),
                                       board.y() - double(f->height()) * double(st.grabY)));
    // Rounded as the fields themselves are, so the outline covers where the field would show.
    const auto px = [](double v) { return int(std::floor(v + 0.5)); };
    st.dragOutline->setGeometry(px(topLeft.x()), px(topLeft.y()), f->QWidget::width(), f->QWidget::height());
}

void startDrag(BoardState &st, int index)
{
    st.draggedField = index;
    st.dragOutline->setGeometry(st.fields[size_t(index)]->geometry());
    st.dragOutline->show();
    st.dragOutline->raise();
}

} // namespace

void cancelFieldDrag(BoardState &st)
{
    st.draggedField = -1;
    st.dragOutline->hide();
}

void onFieldPressed(BoardState &st, int index, int button, int, float x, float y)
{
    if (!view::BoardState::isIndex(index))
        return;
    // Only the three buttons the game knows press anything.
    if (button != 1 && button != 2 && button != 4)
        return;

    if (st.draggedField >= 0) {
        // While the left button drags a field, its other buttons belong to the drag.
        if (st.draggedField == index && button != 1)
            return;
        // A press anywhere else means the release of that drag never came.
        cancelFieldDrag(st);
    }
    if (st.inSetMode()) {
        if (button == 1) {
            st.grabX = x;
            st.grabY = y;
            startDrag(st, index);
        } else {
            model::Field &m = st.game.fields[size_t(index)];
            m.left = SupplyLeft;
            m.top = SupplyTop;
            m.tag = 0;
            st.showField(index);
            // pendingField stays as it is: it may name a field chosen in connect mode.
            removeEdgesOf(st, index);
        }
    }
    if (st.inConnectMode())
        onConnectModeClick(st, index);
    if (st.inPlayMode() && button == 2) {
        st.game.fields[size_t(index)].colour = st.swatches[0]->backColor();
        st.showField(index);
    }
}

void onFieldMouseMoved(BoardState &st, int index, int, int, float, float)
{
    if (st.draggedField != index || !view::BoardState::isIndex(index))
        return;
    // A mode switch in mid-drag (from the keyboard) ends the drag: no drop outside set mode.
    if (!st.inSetMode()) {
        cancelFieldDrag(st);
        return;
    }
    const forms::PictureBox *f = st.fields[size_t(index)];
    const BoardPointer p = pointerOnBoard(st, f);
    moveOutline(st, f, p.pos);
    if (p.ownSurface)
        onFieldDraggedOverBoard(st, index, float(p.pos.x()), float(p.pos.y()));
}

void onFieldReleased(BoardState &st, int index, int button, int, float, float)
{
    if (st.draggedField != index || button != 1 || !view::BoardState::isIndex(index))
        return;
    cancelFieldDrag(st);
    if (!st.inSetMode())
        return;
    const BoardPointer p = pointerOnBoard(st, st.fields[size_t(index)]);
    if (p.ownSurface)
        onFieldDroppedOnBoard(st, index, float(p.pos.x()), float(p.pos.y()));
}

void onFieldDraggedOverBoard(BoardState &st, int field, float x, float y)
{
    if (!view::BoardState::isIndex(field))
        return;
    const QPointF at = dropPosition(st, st.fields[size_t(field)], x, y);
    st.statusLine->setText(readout(float(at.x()), float(at.y())));
}

void onFieldDroppedOnBoard(BoardState &st, int field, float x, float y)
{
    if (!view::BoardState::isIndex(field))
        return;
    // The upper band with the supply and the tools takes no fields.
    if (y < st.dividerBar->top())
        return;
    model::Field &m = st.game.fields[size_t(field)];
    const QPointF at = dropPosition(st, st.fields[size_t(field)], x, y);
    m.left = std::floor(float(at.x()));
    m.top = std::floor(float(at.y()));
    m.tag = 1;
    st.showField(field);
    st.statusLine->setText(readout(m.left, m.top));
    redrawEdges(st);
    st.fields[size_t(field)]->setVisible(true);
}

void onFieldKeyPressed(BoardState &st, int index, int keyCode, int)
{
    if (!st.inSetMode() || !view::BoardState::isIndex(index))
        return;
    model::Field &f = st.game.fields[size_t(index)];
    switch (keyCode) {
    case 37: f.left -= 1; break;
    case 39: f.left += 1; break;
    case 38: f.top -= 1; break;
    case 40: f.top += 1; break;
    default: break;
    }
    st.showFieldPlace(index);
    // Every key, moving or not, shows the position and redraws the edges.
    st.statusLine->setText(readout(f.left, f.top));
    redrawEdges(st);
}

void onFieldFocusGained(BoardState &st, int index)
{
    if (!st.inSetMode() || !view::BoardState::isIndex(index))
        return;
    // A small circle with a cross-hair around it: the field the cursor keys move.
    forms::PictureBox *f = st.fields[size_t(index)];
    const colors::Color c = f->foreColor();
    f->drawCircle(0.5f, 0.5f, 0.1f, c);
    f->drawLine(0.2f, 0.5f, 0.4f, 0.5f, c);
    f->drawLine(0.5f, 0.2f, 0.5f, 0.4f, c);
    f->drawLine(0.6f, 0.5f, 0.8f, 0.5f, c);
    f->drawLine(0.5f, 0.6f, 0.5f, 0.8f, c);
}

void onFieldFocusLost(BoardState &st, int index)
{
    if (!st.inSetMode() || !view::BoardState::isIndex(index))
        return;
    st.fields[size_t(index)]->clear();
}

} // namespace editor
