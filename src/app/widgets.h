#pragma once
// The window's controls described as rows: which member of the board state a control
// fills, where it lies and how it looks. The panels are tables of such rows, built
// in the order they are listed, since that order decides stacking and tab order.

#include "view/board_state.h"

#include <QSize>
#include <optional>
#include <span>
#include <variant>

namespace app::widgets {

using view::BoardState;
using model::FieldCount;

// A control on the window or on a box with twip scale lies in twips; one on the
// board is placed in design twips that become board pixels.
enum class Units { Twips, Board };

struct Rect {
    float l, t, w, h;
};

// A picture on a button: one file, or with `pair` the files name_16.png and
// name_32.png for the two sizes.
struct Picture {
    const char *name = nullptr;
    QSize size;
    bool pair = false;
};

// Headings and hints are read-only text boxes that look like labels.
enum class Style { Plain, Heading, Hint };

// What a row sets on its control, in this order; unset parts stay as the control
// makes them.
struct Look {
    const char *text = nullptr;
    std::optional<colors::Color> back = std::nullopt;
    std::optional<colors::Color> fore = std::nullopt;
    const char *font = nullptr;
    double points = 0;
    bool bold = false;
    const char *tip = nullptr;
    Picture picture = {};
    Style style = Style::Plain;
    // Picture boxes only.
    bool borderless = false;
    bool twipScale = false;
};

using Slot = std::variant<forms::CommandButton *BoardState::*, forms::TextBox *BoardState::*,
                          forms::NotesBox *BoardState::*, forms::PictureBox *BoardState::*,
                          forms::Label *BoardState::*, forms::CheckBox *BoardState::*>;

struct Row {
    Slot slot;
    Rect at;
    Look look = {};
};

// Creates the rows' controls on `parent` one after the other.
void build(BoardState &st, QWidget *parent, Units units, std::span<const Row> rows);

// A single control of the given type and look, not kept in the board state.
forms::PictureBox *pictureBox(QWidget *parent, Units units, const Rect &at, const Look &look);
forms::Label *label(QWidget *parent, Units units, const Rect &at, const Look &look);
forms::Shape *shape(QWidget *parent, forms::Shape::Kind kind, const Rect &at);

// A picture on a button, scaled down where the button is smaller than the picture.
void setPicture(forms::CommandButton *b, const Picture &picture);

// Every control on the window's inner area `client`, panel by panel, and their
// stacking order.
void buildPanels(BoardState &st, QWidget *client);

} // namespace app::widgets
