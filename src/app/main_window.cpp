#include "main_window.h"

#include "app.h"
#include "appearance/appearance.h"
#include "editor/editor.h"
#include "gamefile/gamefile.h"
#include "play/play.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>

// Resources live in the static library; make sure they are linked and registered.
static void initResources() { Q_INIT_RESOURCE(resources); }

namespace app {

using namespace forms;
using colors::rgb;

namespace {

constexpr float Twips = TwipsPerPixel;

// A control on a container measured in twips.
template <class T>
T *inTwips(QWidget *parent, float l, float t, float w, float h)
{
    auto *c = new T(parent, Twips);
    c->setBounds(l, t, w, h);
    return c;
}

// A control on the board: design twips become board pixels.
template <class T>
T *onBoard(QWidget *board, float l, float t, float w, float h)
{
    auto *c = new T(board, 1.0f);
    c->setBounds(l / Twips, t / Twips, w / Twips, h / Twips);
    return c;
}

Shape *shapeAt(QWidget *parent, Shape::Kind kind, float l, float t, float w, float h)
{
    auto *s = new Shape(parent, Twips, kind);
    s->setBounds(l, t, w, h);
    return s;
}

// The platform's keys for a standard command, and `also` besides when they lack it, so
// the keys players know from other programs work everywhere.
QList<QKeySequence> keys(QKeySequence::StandardKey standard, const QKeySequence &also = {})
{
    QList<QKeySequence> k = QKeySequence::keyBindings(standard);
    if (!also.isEmpty() && !k.contains(also))
        k << also;
    return k;
}

QIcon picture(const char *name) { return QIcon(QStringLiteral(":/") + QLatin1String(name)); }

// A picture on a button, scaled down where the button is smaller than the picture.
void setPicture(CommandButton *b, const QIcon &icon, QSize natural)
{
    const QSize room(std::max(8, b->QWidget::width() - 6), std::max(8, b->QWidget::height() - 6));
    QSize fit = natural;
    if (natural.width() > room.width() || natural.height() > room.height())
        fit = natural.scaled(room, Qt::KeepAspectRatio);
    b->setPicture(icon, fit);
}

void headingStyle(TextBox *t, const QString &text)
{
    t->setText(text);
    t->setFont(makeFont(QStringLiteral("Microsoft Sans Serif"), 8.25));
    t->setBackColor(rgb(255, 255, 255));
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignCenter);
    t->setFocusPolicy(Qt::ClickFocus);
    t->setCursor(Qt::ArrowCursor);
    t->setTextMargins(0, 0, 0, 0);
}

void hintStyle(TextBox *t, const QString &text)
{
    t->setText(text);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::ClickFocus);
    t->setCursor(Qt::ArrowCursor);
    t->setTextMargins(0, 0, 0, 0);
}

} // namespace

MainWindow::MainWindow(CommonDialog *dialog, MessageBoxes *messages, Pacing *pacing)
{
    initResources();
    if (!dialog) {
        m_ownDialog = std::make_unique<QtCommonDialog>(this);
        dialog = m_ownDialog.get();
    }
    if (!messages) {
        m_ownMessages = std::make_unique<QtMessageBoxes>(this);
        messages = m_ownMessages.get();
    }
    if (!pacing) {
        m_ownPacing = std::make_unique<RealPacing>();
        pacing = m_ownPacing.get();
    }
    m_st = std::make_unique<BoardState>(Services{*dialog, *messages, *pacing, m_rnd});
    m_st->window = this;

    setWindowTitle(QStringLiteral("Graphen-Schiebwerk"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/app_16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/app_32.png"), QSize(32, 32));
    setWindowIcon(icon);

    buildMenus();
    buildWidgets();
    wireEvents();

    // A fixed window: the full-screen view is the way to a larger board.
    adjustSize();
    setFixedSize(sizeHint());
    if (QScreen *scr = QGuiApplication::primaryScreen()) {
        const QRect avail = scr->availableGeometry();
        move(avail.left() + std::max(0, (avail.width() - width()) / 2),
             avail.top() + std::max(0, (avail.height() - height()) / 2));
    }

    startUp(*m_st);
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent *e)
{
    // Running loops notice this at their next pump of events and end.
    m_st->closing = true;
    m_st->shuffleActive = 0;
    play::stopSearch(*m_st);
    e->accept();
}

void MainWindow::buildMenus()
{
    BoardState &st = *m_st;
    QMenuBar *bar = menuBar();
    st.fileMenu = bar->addMenu(QStringLiteral("Datei"));
    st.newAction = st.fileMenu->addAction(QStringLiteral("neu"));
    st.newAction->setShortcuts(keys(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
    st.openAction = st.fileMenu->addAction(QStringLiteral("öffnen"));
    st.openAction->setShortcuts(keys(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
    st.saveAction = st.fileMenu->addAction(QStringLiteral("speichern"));
    st.saveAction->setShortcuts(keys(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    st.quitAction = st.fileMenu->addAction(QStringLiteral("beenden"));
    st.quitAction->setShortcuts(keys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    st.viewMenu = bar->addMenu(QStringLiteral("Ansicht"));
    st.fullScreenAction = st.viewMenu->addAction(QStringLiteral("ganzer Bildschirm"));
    st.fullScreenAction->setShortcuts(keys(QKeySequence::FullScreen, QKeySequence(Qt::Key_F11)));
    st.normalViewAction = st.viewMenu->addAction(QStringLiteral("normal"));
    st.hideNotesAction = st.viewMenu->addAction(QStringLiteral("Notizfeld ausblenden"));
    st.showNotesAction = st.viewMenu->addAction(QStringLiteral("Notizfeld einblenden"));
    // Moves: the place and words of the desktop's game conventions, no plain-letter
    // shortcuts (a focused field in set mode takes every key).
    st.moveMenu = bar->addMenu(QStringLiteral("Zug"));
    st.undoAction = st.moveMenu->addAction(QStringLiteral("Rückgängig"));
    st.undoAction->setShortcuts(keys(QKeySequence::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)));
    st.redoAction = st.moveMenu->addAction(QStringLiteral("Wiederherstellen"));
    QList<QKeySequence> redo = keys(QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    redo.removeAll(QKeySequence(Qt::CTRL | Qt::Key_Y));
    st.redoAction->setShortcuts(redo << QKeySequence(Qt::CTRL | Qt::Key_Y));
    st.moveMenu->addSeparator();
    st.hintAction = st.moveMenu->addAction(QStringLiteral("Tipp"));
    st.hintAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    st.solveAction = st.moveMenu->addAction(QStringLiteral("Lösen"));
    st.solveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    st.moveMenu->addSeparator();
    st.solvabilityAction = st.moveMenu->addAction(QStringLiteral("Lösbarkeit prüfen"));
    st.solvabilityAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    st.moveMenu->addSeparator();
    st.reportSuccessAction = st.moveMenu->addAction(QStringLiteral("Erfolg melden"));
    st.reportSuccessAction->setCheckable(true);
    st.reportSuccessAction->setChecked(true);
    st.infoAction = bar->addAction(QStringLiteral("Information"));
}

void MainWindow::buildWidgets()
{
    BoardState &st = *m_st;

    m_client = new QWidget(this);
    m_client->setFixedSize(int(ClientWidthTwips / Twips), int(ClientHeightTwips / Twips));
    m_client->setFont(makeFont(QStringLiteral("MS Sans Serif"), 8.25));
    {
        QPalette pal = m_client->palette();
        pal.setColor(QPalette::Window, colors::toQColor(colors::ActiveBorder));
        m_client->setPalette(pal);
        m_client->setAutoFillBackground(true);
    }
    setCentralWidget(m_client);
    QWidget *inner = m_client;

    // ---- direct children of the window (twips) ----
    st.eraseButton = inTwips<CommandButton>(inner, 9450, 2460, 465, 465);
    st.eraseButton->setText(QStringLiteral("X"));
    st.eraseButton->setBackColor(rgb(192, 192, 192));
    st.eraseButton->setToolTipText(QString());

    st.randomHeading = inTwips<TextBox>(inner, 8130, 210, 1800, 285);
    headingStyle(st.randomHeading, QStringLiteral("Zufall"));
    st.cascadeHeading = inTwips<TextBox>(inner, 4455, 225, 1290, 285);
    headingStyle(st.cascadeHeading, QStringLiteral("nachrücken"));
    st.actionHeading = inTwips<TextBox>(inner, 2355, 225, 1635, 285);
    headingStyle(st.actionHeading, QStringLiteral("Aktion wählen"));
    st.colourHeading = inTwips<TextBox>(inner, 6105, 225, 1680, 285);
    headingStyle(st.colourHeading, QStringLiteral("Farbe wählen"));
    st.colourHeading->setCursor(Qt::PointingHandCursor);

    st.saveButton = inTwips<CommandButton>(inner, 1425, 75, 465, 465);
    setPicture(st.saveButton, picture("toolbar_save.png"), QSize(24, 23));
    st.openButton = inTwips<CommandButton>(inner, 825, 75, 465, 465);
    setPicture(st.openButton, picture("toolbar_open.png"), QSize(24, 23));
    st.newButton = inTwips<CommandButton>(inner, 225, 75, 465, 465);
    setPicture(st.newButton, picture("toolbar_new.png"), QSize(24, 23));

    st.board = inTwips<PictureBox>(inner, 210, 600, 9855, 9105);
    PictureBox *board = st.board;
    board->setBackColor(rgb(192, 192, 192));
    board->setForeColor(rgb(128, 128, 128));
    board->setFont(makeFont(QStringLiteral("MS Sans Serif"), 12));
    board->setDrawWidth(2);
    board->setPixelScale();
    QWidget *b = board->surface();
    // The board's own font is for printing on it; the controls on it use the window's.
    b->setFont(m_client->font());

    // ---- children of the board (board pixels) ----
    st.normalViewButton = onBoard<CommandButton>(b, 8250, 2310, 1335, 1425);
    setPicture(st.normalViewButton, picture("normal_view.png"), QSize(82, 95));

    st.clearNotesButton = onBoard<CommandButton>(b, 9420, 7050, 390, 270);
    st.clearNotesButton->setText(QStringLiteral("x"));

    st.statusLine = onBoard<TextBox>(b, -30, 8730, 9840, 315);
    st.statusLine->setBackColor(rgb(224, 224, 224));

    st.notes = onBoard<NotesBox>(b, -30, 7320, 9870, 1380);
    st.notes->setBackColor(rgb(224, 224, 224));
    st.notes->setFont(makeFont(QStringLiteral("Times New Roman"), 12));
    st.notes->setText(QStringLiteral("Notizen"));

    st.normalSizeButton = onBoard<CommandButton>(b, 1320, 360, 375, 255);
    st.normalSizeButton->setText(QStringLiteral("n"));

    st.targetButton = onBoard<CommandButton>(b, 8880, 1200, 810, 330);
    st.targetButton->setText(QStringLiteral("Vorgabe"));
    st.targetButton->setBackColor(rgb(192, 255, 255));
    st.targetButton->setToolTipText(QStringLiteral("Zufallsanordnung"));

    st.fieldSizeBar = onBoard<ScrollBar>(b, 1320, 600, 375, 615);
    st.fieldSizeBar->setRange(12, 60);
    st.fieldSizeBar->setSingleStep(1);
    st.fieldSizeBar->setPageStep(5);
    st.fieldSizeBar->setValue(42);

    // Fields and tokens: design-time looks; start-up gives them their real ones.
    for (int i = 0; i < FieldCount; ++i) {
        auto *f = new PictureBox(b, 1.0f);
        f->setBounds(0, 0, 615 / Twips, 615 / Twips);
        f->setForeColor(rgb(0, 0, 192));
        if (i == 6 || i >= 32)
            f->setBackColor(rgb(255, 255, 255));
        f->setDrawWidth(2);
        st.fields[size_t(i)] = f;

        auto *z = new PictureBox(b, 1.0f);
        z->setBounds(0, 0, 465 / Twips, 465 / Twips);
        z->setBackColor(rgb(0, 0, 255));
        z->setForeColor(colors::WindowText);
        z->setFont(makeFont(QStringLiteral("Times New Roman"), 14.25));
        st.tokens[size_t(i)] = z;
    }

    st.stepNumberBox = onBoard<PictureBox>(b, 2160, 90, 285, 1455);
    st.stepNumberBox->setBackColor(rgb(192, 192, 192));
    st.stepNumberBox->setForeColor(colors::WindowText);
    st.stepNumberBox->setBorder(PictureBox::Border::None);
    st.stepNumberBox->setTwipScale();
    {
        const float tops[3] = {30, 570, 1110};
        const char *captions[3] = {"1.", "2.", "3."};
        for (int i = 2; i >= 0; --i) {
            auto *l = inTwips<Label>(st.stepNumberBox->surface(), 0, tops[i], 315, 225);
            l->setText(QLatin1String(captions[i]));
            l->setBackColor(rgb(192, 192, 192));
            l->setFont(makeFont(QStringLiteral("MS Sans Serif"), 9.75, true));
            st.stepNumbers[size_t(i)] = l;
        }
    }

    st.shuffleButton = onBoard<CommandButton>(b, 7920, 90, 1215, 1065);
    st.shuffleButton->setBackColor(rgb(192, 192, 192));
    setPicture(st.shuffleButton, picture("shuffle.png"), QSize(80, 75));

    // Token properties panel.
    st.tokenPanel = onBoard<PictureBox>(b, 2610, 5310, 1515, 1125);
    st.tokenPanel->setBackColor(colors::ActiveBorder);
    st.tokenPanel->setForeColor(colors::WindowText);
    st.tokenPanel->setTwipScale();
    {
        QWidget *p = st.tokenPanel->surface();
        st.colourOkButton = inTwips<CommandButton>(p, 600, 780, 870, 285);
        st.colourOkButton->setText(QStringLiteral("ok"));
        st.closePanelButton = inTwips<CommandButton>(p, 1260, 30, 225, 225);
        st.closePanelButton->setText(QStringLiteral("x"));
        st.tokenColourSwatch = inTwips<PictureBox>(p, 1050, 270, 420, 480);
        st.tokenColourSwatch->setBackColor(rgb(255, 0, 0));
        st.tokenColourSwatch->setToolTipText(QStringLiteral("Steinfarbe"));
        st.textOkButton = inTwips<CommandButton>(p, 30, 780, 540, 285);
        st.textOkButton->setText(QStringLiteral("ok"));
        st.textColourSwatch = inTwips<PictureBox>(p, 600, 270, 420, 480);
        st.textColourSwatch->setBackColor(rgb(255, 255, 255));
        st.textColourSwatch->setToolTipText(QStringLiteral("Textfarbe"));
        st.tokenTextBox = inTwips<TextBox>(p, 30, 270, 540, 480);
        st.tokenTextBox->setText(QStringLiteral("A"));
        st.tokenTextBox->setBackColor(rgb(0, 0, 192));
        st.tokenTextBox->setForeColor(rgb(255, 255, 255));
        st.tokenTextBox->setFont(makeFont(QStringLiteral("MS Sans Serif"), 13.5));
        st.tokenTextBox->setToolTipText(QStringLiteral("Stein-Text"));
        appearance::filterTokenText(st.tokenTextBox);
        st.panelTitle = inTwips<Label>(p, 30, 30, 1545, 225);
        st.panelTitle->setText(QStringLiteral(" Stein"));
        st.panelTitle->setBackColor(rgb(0, 0, 192));
        st.panelTitle->setForeColor(colors::HighlightText);
        // front to back
        for (QWidget *w : std::initializer_list<QWidget *>{st.panelTitle, st.tokenTextBox, st.textColourSwatch, st.textOkButton,
                                                           st.tokenColourSwatch, st.closePanelButton, st.colourOkButton})
            w->raise();
    }
    st.tokenPanel->setVisible(false);

    st.stopShuffleButton = onBoard<CommandButton>(b, 9150, 90, 525, 1065);
    st.stopShuffleButton->setBackColor(rgb(192, 192, 192));
    st.stopShuffleButton->setToolTipText(QStringLiteral("anhalten"));
    {
        QIcon stop;
        stop.addFile(QStringLiteral(":/stop_shuffle_16.png"), QSize(16, 16));
        stop.addFile(QStringLiteral(":/stop_shuffle_32.png"), QSize(32, 32));
        setPicture(st.stopShuffleButton, stop, QSize(32, 32));
    }

    // Mode lamps.
    st.lampBox = onBoard<PictureBox>(b, 90, 1860, 465, 1290);
    st.lampBox->setBackColor(rgb(0, 0, 0));
    st.lampBox->setTwipScale();
    {
        QWidget *p = st.lampBox->surface();
        st.lampFrame = shapeAt(p, Shape::Kind::Rectangle, 45, 45, 390, 1185);
        st.lampFrame->setBorderColor(rgb(192, 192, 192));
        st.playModeLamp = shapeAt(p, Shape::Kind::Circle, 60, 855, 315, 315);
        st.connectModeLamp = shapeAt(p, Shape::Kind::Circle, 75, 480, 315, 315);
        st.setModeLamp = shapeAt(p, Shape::Kind::Circle, 75, 75, 315, 315);
        for (Shape *s : {st.playModeLamp, st.connectModeLamp, st.setModeLamp}) {
            s->setFilled(true);
            s->setFillColor(rgb(255, 0, 0));
            s->setBorderColor(rgb(0, 0, 0));
        }
        for (Shape *s : {st.lampFrame, st.playModeLamp, st.connectModeLamp, st.setModeLamp})
            s->raise();
    }

    // Cascade settings.
    st.cascadeBox = onBoard<PictureBox>(b, 4200, 75, 1290, 1440);
    st.cascadeBox->setBackColor(rgb(224, 224, 224));
    st.cascadeBox->setTwipScale();
    {
        QWidget *p = st.cascadeBox->surface();
        st.fastOption = inTwips<CheckBox>(p, 75, 360, 990, 315);
        st.fastOption->setText(QStringLiteral("schnell"));
        st.fastOption->setBackColor(rgb(224, 224, 224));
        st.cascadeOption = inTwips<CheckBox>(p, 75, 30, 990, 315);
        st.cascadeOption->setText(QStringLiteral("Kaskade"));
        st.cascadeOption->setBackColor(rgb(224, 224, 224));
        st.stopCascadeButton = inTwips<CommandButton>(p, 660, 810, 555, 555);
        st.stopCascadeButton->setBackColor(rgb(224, 224, 224));
        st.stopCascadeButton->setToolTipText(QStringLiteral("anhalten"));
        QIcon stop;
        stop.addFile(QStringLiteral(":/stop_cascade_16.png"), QSize(16, 16));
        stop.addFile(QStringLiteral(":/stop_cascade_32.png"), QSize(32, 32));
        setPicture(st.stopCascadeButton, stop, QSize(32, 32));
        for (QWidget *w : std::initializer_list<QWidget *>{st.stopCascadeButton, st.cascadeOption, st.fastOption})
            w->raise();
    }

    st.dragHint = onBoard<TextBox>(b, 75, 60, 1620, 285);
    hintStyle(st.dragHint, QStringLiteral("ins Feld ziehen!"));

    // Palette: member 0 is the current colour, 1..8 the fixed swatches.
    struct Swatch { int index; float l, t, w, h; colors::Color c; };
    const Swatch swatches[9] = {
        {0, 5880, 90, 1665, 315, rgb(255, 0, 0)},      {8, 5880, 750, 390, 390, rgb(128, 128, 128)},
        {3, 6255, 750, 465, 390, rgb(0, 0, 255)},      {4, 6705, 750, 465, 390, rgb(0, 0, 128)},
        {2, 7155, 750, 390, 390, rgb(192, 0, 0)},      {7, 5880, 1125, 390, 390, rgb(255, 255, 255)},
        {6, 6255, 1125, 465, 390, rgb(255, 255, 0)},   {1, 6705, 1125, 465, 390, rgb(128, 255, 128)},
        {5, 7155, 1125, 390, 390, rgb(255, 0, 0)},
    };
    for (const Swatch &s : swatches) {
        auto *p = onBoard<PictureBox>(b, s.l, s.t, s.w, s.h);
        p->setBackColor(s.c);
        p->setForeColor(colors::WindowText);
        st.swatches[size_t(s.index)] = p;
    }

    st.scrambleButton = onBoard<CommandButton>(b, 7920, 1200, 810, 330);
    st.scrambleButton->setText(QStringLiteral("Mischen"));
    st.scrambleButton->setBackColor(rgb(192, 255, 255));
    st.scrambleButton->setToolTipText(QStringLiteral("Zufallsanordnung"));

    st.sendBackHint = onBoard<TextBox>(b, 75, 1200, 1620, 285);
    hintStyle(st.sendBackHint, QStringLiteral("Maus rechts: zurück"));

    st.playModeButton = onBoard<CommandButton>(b, 2460, 1125, 1275, 390);
    setPicture(st.playModeButton, picture("mode_play.png"), QSize(61, 14));
    st.playModeButton->setToolTipText(QStringLiteral("Spielsteine einfügen, Zugmodus"));
    st.connectModeButton = onBoard<CommandButton>(b, 2460, 585, 1275, 420);
    setPicture(st.connectModeButton, picture("mode_connect.png"), QSize(61, 14));
    st.connectModeButton->setToolTipText(QStringLiteral("Felder verbinden"));
    st.setModeButton = onBoard<CommandButton>(b, 2460, 75, 1275, 390);
    setPicture(st.setModeButton, picture("mode_set.png"), QSize(61, 14));
    st.setModeButton->setToolTipText(QStringLiteral("Felder setzen"));
    for (CommandButton *m : {st.setModeButton, st.connectModeButton, st.playModeButton})
        m->setBackColor(colors::ButtonFace);

    st.dividerBar = onBoard<PictureBox>(b, 0, 1650, 9915, 90);

    st.dragOutline = new DragOutline(b);

    // Stacking order on the board, front to back.
    std::vector<QWidget *> order{st.normalViewButton, st.clearNotesButton, st.statusLine, st.notes, st.normalSizeButton, st.targetButton,
                                 st.fieldSizeBar};
    for (int i = 64; i >= 32; --i)
        order.push_back(st.tokens[size_t(i)]);
    for (int i = 64; i >= 32; --i)
        order.push_back(st.fields[size_t(i)]);
    for (QWidget *w : std::initializer_list<QWidget *>{st.stepNumberBox, st.shuffleButton, st.tokenPanel, st.stopShuffleButton,
                                                       st.lampBox, st.cascadeBox, st.dragHint, st.swatches[8],
                                                       st.swatches[7], st.scrambleButton, st.sendBackHint})
        order.push_back(w);
    for (int i = 0; i <= 29; ++i)
        order.push_back(st.fields[size_t(i)]);
    order.push_back(st.fields[31]);
    for (int i = 0; i <= 31; ++i)
        order.push_back(st.tokens[size_t(i)]);
    order.push_back(st.fields[30]);
    for (QWidget *w : std::initializer_list<QWidget *>{st.playModeButton, st.connectModeButton, st.setModeButton})
        order.push_back(w);
    for (int i = 0; i <= 6; ++i)
        order.push_back(st.swatches[size_t(i)]);
    order.push_back(st.dividerBar);
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        (*it)->raise();

    // Stacking order on the window, front to back.
    for (QWidget *w : std::initializer_list<QWidget *>{st.board, st.newButton, st.openButton, st.saveButton, st.colourHeading,
                                                       st.actionHeading, st.cascadeHeading, st.randomHeading, st.eraseButton})
        w->raise();
}

void MainWindow::wireEvents()
{
    BoardState &st = *m_st;
    BoardState *s = m_st.get();

    connect(st.newAction, &QAction::triggered, this, [s] { newBoard(*s); });
    connect(st.newButton, &QPushButton::clicked, this, [s] { newBoard(*s); });
    connect(st.openAction, &QAction::triggered, this, [s] { openGame(*s); });
    connect(st.openButton, &QPushButton::clicked, this, [s] { openGame(*s); });
    connect(st.saveAction, &QAction::triggered, this, [s] { saveGame(*s); });
    connect(st.saveButton, &QPushButton::clicked, this, [s] { saveGame(*s); });
    connect(st.quitAction, &QAction::triggered, this, &QWidget::close);
    connect(st.infoAction, &QAction::triggered, this, [s] { showInfo(*s); });

    connect(st.fullScreenAction, &QAction::triggered, this, [s] { enterFullScreenView(*s); });
    connect(st.normalViewAction, &QAction::triggered, this, [s] { enterNormalView(*s); });
    connect(st.normalViewButton, &QPushButton::clicked, this, [s] { onNormalViewButtonClicked(*s); });
    connect(st.hideNotesAction, &QAction::triggered, this, [s] { hideNotes(*s); });
    connect(st.showNotesAction, &QAction::triggered, this, [s] { showNotes(*s); });
    connect(st.clearNotesButton, &QPushButton::clicked, this, [s] { clearNotes(*s); });

    connect(st.undoAction, &QAction::triggered, this, [s] { play::undo(*s); });
    connect(st.redoAction, &QAction::triggered, this, [s] { play::redo(*s); });
    connect(st.hintAction, &QAction::triggered, this, [s] { play::showHint(*s); });
    connect(st.solveAction, &QAction::triggered, this, [s] { play::solveAll(*s); });
    connect(st.solvabilityAction, &QAction::triggered, this, [s] { play::showSolvability(*s); });

    connect(st.setModeButton, &QPushButton::clicked, this, [s] { enterSetMode(*s); });
    connect(st.connectModeButton, &QPushButton::clicked, this, [s] { enterConnectMode(*s); });
    connect(st.playModeButton, &QPushButton::clicked, this, [s] { enterPlayMode(*s); });

    for (int i = 0; i < FieldCount; ++i) {
        PictureBox *f = st.fields[size_t(i)];
        connect(f, &PictureBox::mousePressed, this,
                [s, i](int bt, int sh, float x, float y) { editor::onFieldPressed(*s, i, bt, sh, x, y); });
        connect(f, &PictureBox::mouseMoved, this,
                [s, i](int bt, int sh, float x, float y) { editor::onFieldMouseMoved(*s, i, bt, sh, x, y); });
        connect(f, &PictureBox::mouseReleased, this,
                [s, i](int bt, int sh, float x, float y) { editor::onFieldReleased(*s, i, bt, sh, x, y); });
        connect(f, &PictureBox::keyPressed, this, [s, i](int key, int sh) { editor::onFieldKeyPressed(*s, i, key, sh); });
        connect(f, &PictureBox::focusGained, this, [s, i] { editor::onFieldFocusGained(*s, i); });
        connect(f, &PictureBox::focusLost, this, [s, i] { editor::onFieldFocusLost(*s, i); });

        PictureBox *z = st.tokens[size_t(i)];
        connect(z, &PictureBox::mousePressed, this,
                [s, i](int bt, int sh, float x, float y) { play::onTokenPressed(*s, i, bt, sh, x, y); });
    }

    connect(st.board, &PictureBox::mousePressed, this,
            [s](int bt, int sh, float x, float y) { editor::onBoardPressed(*s, bt, sh, x, y); });
    connect(st.board, &PictureBox::mouseMoved, this,
            [s](int bt, int sh, float x, float y) { editor::onBoardMouseMoved(*s, bt, sh, x, y); });
    connect(st.board, &PictureBox::mouseReleased, this,
            [s](int bt, int sh, float x, float y) { editor::onBoardReleased(*s, bt, sh, x, y); });
    connect(st.eraseButton, &QPushButton::clicked, this, [s] { editor::eraseBoard(*s); });
    connect(st.fieldSizeBar, &QScrollBar::valueChanged, this, [s] { editor::onFieldSizeChanged(*s); });
    connect(st.normalSizeButton, &QPushButton::clicked, this, [s] { editor::resetFieldSize(*s); });
    for (int i = 0; i < 9; ++i)
        connect(st.swatches[size_t(i)], &PictureBox::clicked, this, [s, i] { editor::onSwatchClicked(*s, i); });
    connect(st.colourHeading, &TextBox::clicked, this, [s] { editor::chooseCurrentColour(*s); });

    connect(st.stopCascadeButton, &QPushButton::clicked, this, [s] { play::stopCascade(*s); });
    connect(st.shuffleButton, &QPushButton::clicked, this, [s] { play::startShuffle(*s); });
    connect(st.stopShuffleButton, &QPushButton::clicked, this, [s] {
        play::stopShuffle(*s);
        play::stopSearch(*s);
    });
    connect(st.scrambleButton, &QPushButton::clicked, this, [s] { play::scramble(*s); });
    connect(st.targetButton, &QPushButton::clicked, this, [s] { play::setRandomTarget(*s); });

    connect(st.tokenColourSwatch, &PictureBox::clicked, this, [s] { appearance::chooseTokenColour(*s); });
    connect(st.textColourSwatch, &PictureBox::clicked, this, [s] { appearance::chooseTextColour(*s); });
    connect(st.colourOkButton, &QPushButton::clicked, this, [s] { appearance::applyPanelColours(*s); });
    connect(st.textOkButton, &QPushButton::clicked, this, [s] { appearance::applyTokenText(*s); });
    connect(st.closePanelButton, &QPushButton::clicked, this, [s] { appearance::closePanel(*s); });
}

} // namespace app
