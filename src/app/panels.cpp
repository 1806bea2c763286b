// The window's panels as tables of rows. The rows are listed in the order the
// controls are created, which decides their stacking and the tab order.
#include "widgets.h"

#include "appearance/appearance.h"

namespace app::widgets {

using namespace forms;
using colors::rgb;
using B = BoardState;

namespace {

constexpr colors::Color Grey = rgb(192, 192, 192);
constexpr colors::Color LightGrey = rgb(224, 224, 224);
constexpr colors::Color Cyan = rgb(192, 255, 255);
constexpr QSize ToolbarPicture(24, 23);
constexpr QSize ModePicture(61, 14);

// The toolbar and the headings above the board, and the board itself.
void buildWindowRow(BoardState &st, QWidget *client)
{
    static const Row rows[] = {
        {&B::eraseButton, {9450, 2460, 465, 465}, {.text = "X", .back = Grey, .tip = ""}},
        {&B::randomHeading, {8130, 210, 1800, 285}, {.text = "Zufall", .style = Style::Heading}},
        {&B::cascadeHeading, {4455, 225, 1290, 285}, {.text = "nachrücken", .style = Style::Heading}},
        {&B::actionHeading, {2355, 225, 1635, 285}, {.text = "Aktion wählen", .style = Style::Heading}},
        {&B::colourHeading, {6105, 225, 1680, 285}, {.text = "Farbe wählen", .style = Style::Heading}},
        {&B::saveButton, {1425, 75, 465, 465}, {.picture = {"toolbar_save.png", ToolbarPicture}}},
        {&B::openButton, {825, 75, 465, 465}, {.picture = {"toolbar_open.png", ToolbarPicture}}},
        {&B::newButton, {225, 75, 465, 465}, {.picture = {"toolbar_new.png", ToolbarPicture}}},
        {&B::board, {210, 600, 9855, 9105}, {.back = Grey, .fore = rgb(128, 128, 128), .font = "MS Sans Serif", .points = 12}},
    };
    build(st, client, Units::Twips, rows);
    st.colourHeading->setCursor(Qt::PointingHandCursor);
    st.board->setDrawWidth(2);
    st.board->setPixelScale();
    // The board's own font is for printing on it; the controls on it use the window's.
    st.board->surface()->setFont(client->font());
}

// The notes and the status line at the bottom, the view and size buttons.
void buildNotesArea(BoardState &st, QWidget *b)
{
    static const Row rows[] = {
        {&B::normalViewButton, {8250, 2310, 1335, 1425}, {.picture = {"normal_view.png", QSize(82, 95)}}},
        {&B::clearNotesButton, {9420, 7050, 390, 270}, {.text = "x"}},
        {&B::statusLine, {-30, 8730, 9840, 315}, {.back = LightGrey}},
        {&B::notes, {-30, 7320, 9870, 1380}, {.text = "Notizen", .back = LightGrey, .font = "Times New Roman", .points = 12}},
        {&B::normalSizeButton, {1320, 360, 375, 255}, {.text = "n"}},
        {&B::targetButton, {8880, 1200, 810, 330}, {.text = "Vorgabe", .back = Cyan, .tip = "Zufallsanordnung"}},
    };
    build(st, b, Units::Board, rows);

    st.fieldSizeBar = new ScrollBar(b, 1.0f);
    st.fieldSizeBar->setBounds(1320 / TwipsPerPixel, 600 / TwipsPerPixel, 375 / TwipsPerPixel, 615 / TwipsPerPixel);
    st.fieldSizeBar->setRange(12, 60);
    st.fieldSizeBar->setSingleStep(1);
    st.fieldSizeBar->setPageStep(5);
    st.fieldSizeBar->setValue(42);
}

// Fields and tokens with what the model does not hold: the pen of the focus mark and
// the tokens' typeface. Start-up gives them places, sizes and colours from the model.
void buildFieldsAndTokens(BoardState &st, QWidget *b)
{
    for (int i = 0; i < FieldCount; ++i) {
        auto *f = new PictureBox(b, 1.0f);
        f->setForeColor(rgb(0, 0, 192));
        f->setDrawWidth(2);
        st.fields[size_t(i)] = f;

        auto *z = new PictureBox(b, 1.0f);
        z->setFont(makeFont(QStringLiteral("Times New Roman"), 14.25));
        st.tokens[size_t(i)] = z;
    }
}

// The numbers 1. to 3. beside the mode buttons, and the shuffle button.
void buildStepNumbers(BoardState &st, QWidget *b)
{
    static const Row box[] = {
        {&B::stepNumberBox, {2160, 90, 285, 1455}, {.back = Grey, .fore = colors::WindowText, .borderless = true, .twipScale = true}},
    };
    build(st, b, Units::Board, box);
    struct Number { float top; const char *caption; };
    static const Number numbers[3] = {{30, "1."}, {570, "2."}, {1110, "3."}};
    for (int i = 2; i >= 0; --i) {
        st.stepNumbers[size_t(i)] =
            label(st.stepNumberBox->surface(), Units::Twips, {0, numbers[i].top, 315, 225},
                  {.text = numbers[i].caption, .back = Grey, .font = "MS Sans Serif", .points = 9.75, .bold = true});
    }

    static const Row shuffle[] = {
        {&B::shuffleButton, {7920, 90, 1215, 1065}, {.back = Grey, .picture = {"shuffle.png", QSize(80, 75)}}},
    };
    build(st, b, Units::Board, shuffle);
}

// The token properties panel, hidden until a token is coloured.
void buildTokenPanel(BoardState &st, QWidget *b)
{
    static const Row box[] = {
        {&B::tokenPanel, {2610, 5310, 1515, 1125}, {.back = colors::ActiveBorder, .fore = colors::WindowText, .twipScale = true}},
    };
    build(st, b, Units::Board, box);
    static const Row rows[] = {
        {&B::colourOkButton, {600, 780, 870, 285}, {.text = "ok"}},
        {&B::closePanelButton, {1260, 30, 225, 225}, {.text = "x"}},
        {&B::tokenColourSwatch, {1050, 270, 420, 480}, {.back = rgb(255, 0, 0), .tip = "Steinfarbe"}},
        {&B::textOkButton, {30, 780, 540, 285}, {.text = "ok"}},
        {&B::textColourSwatch, {600, 270, 420, 480}, {.back = rgb(255, 255, 255), .tip = "Textfarbe"}},
        {&B::tokenTextBox, {30, 270, 540, 480},
         {.text = "A", .back = rgb(0, 0, 192), .fore = rgb(255, 255, 255), .font = "MS Sans Serif", .points = 13.5, .tip = "Stein-Text"}},
    };
    build(st, st.tokenPanel->surface(), Units::Twips, rows);
    appearance::filterTokenText(st.tokenTextBox);
    static const Row title[] = {
        {&B::panelTitle, {30, 30, 1545, 225}, {.text = " Stein", .back = rgb(0, 0, 192), .fore = colors::HighlightText}},
    };
    build(st, st.tokenPanel->surface(), Units::Twips, title);
    // front to back
    for (QWidget *w : std::initializer_list<QWidget *>{st.panelTitle, st.tokenTextBox, st.textColourSwatch, st.textOkButton,
                                                       st.tokenColourSwatch, st.closePanelButton, st.colourOkButton})
        w->raise();
    st.tokenPanel->setVisible(false);

    static const Row stop[] = {
        {&B::stopShuffleButton, {9150, 90, 525, 1065}, {.back = Grey, .tip = "anhalten", .picture = {"stop_shuffle", QSize(32, 32), true}}},
    };
    build(st, b, Units::Board, stop);
}

// The lamps of the three work modes.
void buildLamps(BoardState &st, QWidget *b)
{
    static const Row box[] = {{&B::lampBox, {90, 1860, 465, 1290}, {.back = rgb(0, 0, 0), .twipScale = true}}};
    build(st, b, Units::Board, box);
    QWidget *p = st.lampBox->surface();
    st.lampFrame = shape(p, Shape::Kind::Rectangle, {45, 45, 390, 1185});
    st.lampFrame->setBorderColor(Grey);
    st.playModeLamp = shape(p, Shape::Kind::Circle, {60, 855, 315, 315});
    st.connectModeLamp = shape(p, Shape::Kind::Circle, {75, 480, 315, 315});
    st.setModeLamp = shape(p, Shape::Kind::Circle, {75, 75, 315, 315});
    for (Shape *s : {st.playModeLamp, st.connectModeLamp, st.setModeLamp}) {
        s->setFilled(true);
        s->setFillColor(rgb(255, 0, 0));
        s->setBorderColor(rgb(0, 0, 0));
    }
    for (Shape *s : {st.lampFrame, st.playModeLamp, st.connectModeLamp, st.setModeLamp})
        s->raise();
}

// The cascade settings, and the hint about dragging fields in.
void buildCascadeBox(BoardState &st, QWidget *b)
{
    static const Row box[] = {{&B::cascadeBox, {4200, 75, 1290, 1440}, {.back = LightGrey, .twipScale = true}}};
    build(st, b, Units::Board, box);
    static const Row rows[] = {
        {&B::fastOption, {75, 360, 990, 315}, {.text = "schnell", .back = LightGrey}},
        {&B::cascadeOption, {75, 30, 990, 315}, {.text = "Kaskade", .back = LightGrey}},
        {&B::stopCascadeButton, {660, 810, 555, 555}, {.back = LightGrey, .tip = "anhalten", .picture = {"stop_cascade", QSize(32, 32), true}}},
    };
    build(st, st.cascadeBox->surface(), Units::Twips, rows);
    for (QWidget *w : std::initializer_list<QWidget *>{st.stopCascadeButton, st.cascadeOption, st.fastOption})
        w->raise();

    static const Row hint[] = {{&B::dragHint, {75, 60, 1620, 285}, {.text = "ins Feld ziehen!", .style = Style::Hint}}};
    build(st, b, Units::Board, hint);
}

// Palette: member 0 is the current colour, 1..8 the fixed swatches.
void buildPalette(BoardState &st, QWidget *b)
{
    struct Swatch { int index; Rect at; colors::Color c; };
    static const Swatch swatches[9] = {
        {0, {5880, 90, 1665, 315}, rgb(255, 0, 0)},    {8, {5880, 750, 390, 390}, rgb(128, 128, 128)},
        {3, {6255, 750, 465, 390}, rgb(0, 0, 255)},    {4, {6705, 750, 465, 390}, rgb(0, 0, 128)},
        {2, {7155, 750, 390, 390}, rgb(192, 0, 0)},    {7, {5880, 1125, 390, 390}, rgb(255, 255, 255)},
        {6, {6255, 1125, 465, 390}, rgb(255, 255, 0)}, {1, {6705, 1125, 465, 390}, rgb(128, 255, 128)},
        {5, {7155, 1125, 390, 390}, rgb(255, 0, 0)},
    };
    for (const Swatch &s : swatches)
        st.swatches[size_t(s.index)] = pictureBox(b, Units::Board, s.at, {.back = s.c, .fore = colors::WindowText});
}

// "Mischen", the second hint, the mode buttons and the divider.
void buildModeButtons(BoardState &st, QWidget *b)
{
    static const Row rows[] = {
        {&B::scrambleButton, {7920, 1200, 810, 330}, {.text = "Mischen", .back = Cyan, .tip = "Zufallsanordnung"}},
        {&B::sendBackHint, {75, 1200, 1620, 285}, {.text = "Maus rechts: zurück", .style = Style::Hint}},
        {&B::playModeButton, {2460, 1125, 1275, 390}, {.tip = "Spielsteine einfügen, Zugmodus", .picture = {"mode_play.png", ModePicture}}},
        {&B::connectModeButton, {2460, 585, 1275, 420}, {.tip = "Felder verbinden", .picture = {"mode_connect.png", ModePicture}}},
        {&B::setModeButton, {2460, 75, 1275, 390}, {.tip = "Felder setzen", .picture = {"mode_set.png", ModePicture}}},
    };
    build(st, b, Units::Board, rows);
    for (CommandButton *m : {st.setModeButton, st.connectModeButton, st.playModeButton})
        m->setBackColor(colors::ButtonFace);

    static const Row divider[] = {{&B::dividerBar, {0, 1650, 9915, 90}}};
    build(st, b, Units::Board, divider);
    st.dragOutline = new DragOutline(b);
}

// Stacking order on the board and on the window, front to back. Fields and tokens are
// left out: start-up piles the fields up, and play raises every token it shows.
void stack(BoardState &st)
{
    std::vector<QWidget *> order{st.normalViewButton, st.clearNotesButton, st.statusLine, st.notes, st.normalSizeButton, st.targetButton,
                                 st.fieldSizeBar};
    for (QWidget *w : std::initializer_list<QWidget *>{st.stepNumberBox, st.shuffleButton, st.tokenPanel, st.stopShuffleButton,
                                                       st.lampBox, st.cascadeBox, st.dragHint, st.swatches[8],
                                                       st.swatches[7], st.scrambleButton, st.sendBackHint})
        order.push_back(w);
    for (QWidget *w : std::initializer_list<QWidget *>{st.playModeButton, st.connectModeButton, st.setModeButton})
        order.push_back(w);
    for (int i = 0; i <= 6; ++i)
        order.push_back(st.swatches[size_t(i)]);
    order.push_back(st.dividerBar);
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        (*it)->raise();

    for (QWidget *w : std::initializer_list<QWidget *>{st.board, st.newButton, st.openButton, st.saveButton, st.colourHeading,
                                                       st.actionHeading, st.cascadeHeading, st.randomHeading, st.eraseButton})
        w->raise();
}

} // namespace

void buildPanels(BoardState &st, QWidget *client)
{
    buildWindowRow(st, client);
    QWidget *b = st.board->surface();
    buildNotesArea(st, b);
    buildFieldsAndTokens(st, b);
    buildStepNumbers(st, b);
    buildTokenPanel(st, b);
    buildLamps(st, b);
    buildCascadeBox(st, b);
    buildPalette(st, b);
    buildModeButtons(st, b);
    stack(st);
}

} // namespace app::widgets
