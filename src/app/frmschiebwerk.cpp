#include "frmschiebwerk.h"

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

frmSchiebwerk::frmSchiebwerk(CommonDialog *dialog, MessageBoxes *messages, Pacing *pacing)
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
    m_st->form = this;

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

    Form_Load(*m_st);
}

frmSchiebwerk::~frmSchiebwerk() = default;

void frmSchiebwerk::closeEvent(QCloseEvent *e)
{
    // Running loops notice this at their next pump of events and end.
    m_st->closing = true;
    m_st->MischenAktiv = 0;
    e->accept();
}

void frmSchiebwerk::buildMenus()
{
    BoardState &st = *m_st;
    QMenuBar *bar = menuBar();
    st.cmdDatei = bar->addMenu(QStringLiteral("Datei"));
    st.cmdneu = st.cmdDatei->addAction(QStringLiteral("neu"));
    st.cmdLadenM = st.cmdDatei->addAction(QStringLiteral("öffnen"));
    st.cmdSpeichernM = st.cmdDatei->addAction(QStringLiteral("speichern"));
    st.cmdEnde = st.cmdDatei->addAction(QStringLiteral("beenden"));
    st.cmdAnsicht = bar->addMenu(QStringLiteral("Ansicht"));
    st.cmdGanz = st.cmdAnsicht->addAction(QStringLiteral("ganzer Bildschirm"));
    st.cmdNormal = st.cmdAnsicht->addAction(QStringLiteral("normal"));
    st.cmdNaus = st.cmdAnsicht->addAction(QStringLiteral("Notizfeld ausblenden"));
    st.cmdNein = st.cmdAnsicht->addAction(QStringLiteral("Notizfeld einblenden"));
    // Moves: the place and words of the desktop's game conventions, no plain-letter
    // shortcuts (a focused field in set mode takes every key).
    st.moveMenu = bar->addMenu(QStringLiteral("Zug"));
    st.undoAction = st.moveMenu->addAction(QStringLiteral("Rückgängig"));
    st.undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    st.redoAction = st.moveMenu->addAction(QStringLiteral("Wiederherstellen"));
    st.redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    st.moveMenu->addSeparator();
    st.hintAction = st.moveMenu->addAction(QStringLiteral("Tipp"));
    st.hintAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    st.solveAction = st.moveMenu->addAction(QStringLiteral("Lösen"));
    st.moveMenu->addSeparator();
    st.solvabilityAction = st.moveMenu->addAction(QStringLiteral("Lösbarkeit prüfen"));
    st.cmdInfo = bar->addAction(QStringLiteral("Information"));
}

void frmSchiebwerk::buildWidgets()
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
    QWidget *form = m_client;

    // ---- direct children of the window (twips) ----
    st.Command1 = inTwips<CommandButton>(form, 9450, 2460, 465, 465);
    st.Command1->setText(QStringLiteral("X"));
    st.Command1->setBackColor(rgb(192, 192, 192));
    st.Command1->setToolTipText(QString());

    st.Text7 = inTwips<TextBox>(form, 8130, 210, 1800, 285);
    headingStyle(st.Text7, QStringLiteral("Zufall"));
    st.Text6 = inTwips<TextBox>(form, 4455, 225, 1290, 285);
    headingStyle(st.Text6, QStringLiteral("nachrücken"));
    st.Text4 = inTwips<TextBox>(form, 2355, 225, 1635, 285);
    headingStyle(st.Text4, QStringLiteral("Aktion wählen"));
    st.Text1 = inTwips<TextBox>(form, 6105, 225, 1680, 285);
    headingStyle(st.Text1, QStringLiteral("Farbe wählen"));
    st.Text1->setCursor(Qt::PointingHandCursor);

    st.Command6 = inTwips<CommandButton>(form, 1425, 75, 465, 465);
    setPicture(st.Command6, picture("toolbar_save.png"), QSize(24, 23));
    st.Command5 = inTwips<CommandButton>(form, 825, 75, 465, 465);
    setPicture(st.Command5, picture("toolbar_open.png"), QSize(24, 23));
    st.Command4 = inTwips<CommandButton>(form, 225, 75, 465, 465);
    setPicture(st.Command4, picture("toolbar_new.png"), QSize(24, 23));

    st.picRahmen = inTwips<PictureBox>(form, 210, 600, 9855, 9105);
    PictureBox *board = st.picRahmen;
    board->setBackColor(rgb(192, 192, 192));
    board->setForeColor(rgb(128, 128, 128));
    board->setFont(makeFont(QStringLiteral("MS Sans Serif"), 12));
    board->setDrawWidth(2);
    board->setPixelScale();
    QWidget *b = board->surface();
    // The board's own font is for printing on it; the controls on it use the window's.
    b->setFont(m_client->font());

    // ---- children of the board (board pixels) ----
    st.image2 = onBoard<CommandButton>(b, 8250, 2310, 1335, 1425);
    setPicture(st.image2, picture("image2.png"), QSize(82, 95));

    st.Command7 = onBoard<CommandButton>(b, 9420, 7050, 390, 270);
    st.Command7->setText(QStringLiteral("x"));

    st.txtDateiname = onBoard<TextBox>(b, -30, 8730, 9840, 315);
    st.txtDateiname->setBackColor(rgb(224, 224, 224));

    st.Text5 = onBoard<NotesBox>(b, -30, 7320, 9870, 1380);
    st.Text5->setBackColor(rgb(224, 224, 224));
    st.Text5->setFont(makeFont(QStringLiteral("Times New Roman"), 12));
    st.Text5->setText(QStringLiteral("Notizen"));

    st.Command12 = onBoard<CommandButton>(b, 1320, 360, 375, 255);
    st.Command12->setText(QStringLiteral("n"));

    st.Command10 = onBoard<CommandButton>(b, 8880, 1200, 810, 330);
    st.Command10->setText(QStringLiteral("Vorgabe"));
    st.Command10->setBackColor(rgb(192, 255, 255));
    st.Command10->setToolTipText(QStringLiteral("Zufallsanordnung"));

    st.VScroll1 = onBoard<ScrollBar>(b, 1320, 600, 375, 615);
    st.VScroll1->setRange(12, 60);
    st.VScroll1->setSingleStep(1);
    st.VScroll1->setPageStep(5);
    st.VScroll1->setValue(42);

    // Fields and tokens: design-time looks; start-up gives them their real ones.
    for (int i = 0; i < FieldCount; ++i) {
        auto *f = new PictureBox(b, 1.0f);
        f->setBounds(0, 0, 615 / Twips, 615 / Twips);
        f->setForeColor(rgb(0, 0, 192));
        if (i == 6 || i >= 32)
            f->setBackColor(rgb(255, 255, 255));
        f->setDrawWidth(2);
        st.picFeld[size_t(i)] = f;

        auto *z = new PictureBox(b, 1.0f);
        z->setBounds(0, 0, 465 / Twips, 465 / Twips);
        z->setBackColor(rgb(0, 0, 255));
        z->setForeColor(colors::WindowText);
        z->setFont(makeFont(QStringLiteral("Times New Roman"), 14.25));
        st.picZahl[size_t(i)] = z;
    }

    st.Picture5 = onBoard<PictureBox>(b, 2160, 90, 285, 1455);
    st.Picture5->setBackColor(rgb(192, 192, 192));
    st.Picture5->setForeColor(colors::WindowText);
    st.Picture5->setBorder(PictureBox::Border::None);
    st.Picture5->setTwipScale();
    {
        const float tops[3] = {30, 570, 1110};
        const char *captions[3] = {"1.", "2.", "3."};
        for (int i = 2; i >= 0; --i) {
            auto *l = inTwips<Label>(st.Picture5->surface(), 0, tops[i], 315, 225);
            l->setText(QLatin1String(captions[i]));
            l->setBackColor(rgb(192, 192, 192));
            l->setFont(makeFont(QStringLiteral("MS Sans Serif"), 9.75, true));
            st.Label1[size_t(i)] = l;
        }
    }

    st.image1 = onBoard<CommandButton>(b, 7920, 90, 1215, 1065);
    st.image1->setBackColor(rgb(192, 192, 192));
    setPicture(st.image1, picture("image1.png"), QSize(80, 75));

    // Token properties panel.
    st.picEigenschaften = onBoard<PictureBox>(b, 2610, 5310, 1515, 1125);
    st.picEigenschaften->setBackColor(colors::ActiveBorder);
    st.picEigenschaften->setForeColor(colors::WindowText);
    st.picEigenschaften->setTwipScale();
    {
        QWidget *p = st.picEigenschaften->surface();
        st.Command9 = inTwips<CommandButton>(p, 600, 780, 870, 285);
        st.Command9->setText(QStringLiteral("ok"));
        st.Command11 = inTwips<CommandButton>(p, 1260, 30, 225, 225);
        st.Command11->setText(QStringLiteral("x"));
        st.picsteinFarbe = inTwips<PictureBox>(p, 1050, 270, 420, 480);
        st.picsteinFarbe->setBackColor(rgb(255, 0, 0));
        st.picsteinFarbe->setToolTipText(QStringLiteral("Steinfarbe"));
        st.cmdtxtFeld = inTwips<CommandButton>(p, 30, 780, 540, 285);
        st.cmdtxtFeld->setText(QStringLiteral("ok"));
        st.pictextfarbe = inTwips<PictureBox>(p, 600, 270, 420, 480);
        st.pictextfarbe->setBackColor(rgb(255, 255, 255));
        st.pictextfarbe->setToolTipText(QStringLiteral("Textfarbe"));
        st.txtFeld = inTwips<TextBox>(p, 30, 270, 540, 480);
        st.txtFeld->setText(QStringLiteral("A"));
        st.txtFeld->setBackColor(rgb(0, 0, 192));
        st.txtFeld->setForeColor(rgb(255, 255, 255));
        st.txtFeld->setFont(makeFont(QStringLiteral("MS Sans Serif"), 13.5));
        st.txtFeld->setToolTipText(QStringLiteral("Stein-Text"));
        appearance::filterTokenText(st.txtFeld);
        st.Label2 = inTwips<Label>(p, 30, 30, 1545, 225);
        st.Label2->setText(QStringLiteral(" Stein"));
        st.Label2->setBackColor(rgb(0, 0, 192));
        st.Label2->setForeColor(colors::HighlightText);
        // front to back
        for (QWidget *w : std::initializer_list<QWidget *>{st.Label2, st.txtFeld, st.pictextfarbe, st.cmdtxtFeld,
                                                           st.picsteinFarbe, st.Command11, st.Command9})
            w->raise();
    }
    st.picEigenschaften->setVisible(false);

    st.Command8 = onBoard<CommandButton>(b, 9150, 90, 525, 1065);
    st.Command8->setBackColor(rgb(192, 192, 192));
    st.Command8->setToolTipText(QStringLiteral("anhalten"));
    {
        QIcon stop;
        stop.addFile(QStringLiteral(":/stop_shuffle_16.png"), QSize(16, 16));
        stop.addFile(QStringLiteral(":/stop_shuffle_32.png"), QSize(32, 32));
        setPicture(st.Command8, stop, QSize(32, 32));
    }

    // Mode lamps.
    st.Picture3 = onBoard<PictureBox>(b, 90, 1860, 465, 1290);
    st.Picture3->setBackColor(rgb(0, 0, 0));
    st.Picture3->setTwipScale();
    {
        QWidget *p = st.Picture3->surface();
        st.Shape1 = shapeAt(p, Shape::Kind::Rectangle, 45, 45, 390, 1185);
        st.Shape1->setBorderColor(rgb(192, 192, 192));
        st.shpSpielen = shapeAt(p, Shape::Kind::Circle, 60, 855, 315, 315);
        st.shpVerbinden = shapeAt(p, Shape::Kind::Circle, 75, 480, 315, 315);
        st.shpSetzen = shapeAt(p, Shape::Kind::Circle, 75, 75, 315, 315);
        for (Shape *s : {st.shpSpielen, st.shpVerbinden, st.shpSetzen}) {
            s->setFilled(true);
            s->setFillColor(rgb(255, 0, 0));
            s->setBorderColor(rgb(0, 0, 0));
        }
        for (Shape *s : {st.Shape1, st.shpSpielen, st.shpVerbinden, st.shpSetzen})
            s->raise();
    }

    // Cascade settings.
    st.Picture4 = onBoard<PictureBox>(b, 4200, 75, 1290, 1440);
    st.Picture4->setBackColor(rgb(224, 224, 224));
    st.Picture4->setTwipScale();
    {
        QWidget *p = st.Picture4->surface();
        st.chkschnell = inTwips<CheckBox>(p, 75, 360, 990, 315);
        st.chkschnell->setText(QStringLiteral("schnell"));
        st.chkschnell->setBackColor(rgb(224, 224, 224));
        st.chkLawine = inTwips<CheckBox>(p, 75, 30, 990, 315);
        st.chkLawine->setText(QStringLiteral("Kaskade"));
        st.chkLawine->setBackColor(rgb(224, 224, 224));
        st.Command3 = inTwips<CommandButton>(p, 660, 810, 555, 555);
        st.Command3->setBackColor(rgb(224, 224, 224));
        st.Command3->setToolTipText(QStringLiteral("anhalten"));
        QIcon stop;
        stop.addFile(QStringLiteral(":/stop_cascade_16.png"), QSize(16, 16));
        stop.addFile(QStringLiteral(":/stop_cascade_32.png"), QSize(32, 32));
        setPicture(st.Command3, stop, QSize(32, 32));
        for (QWidget *w : std::initializer_list<QWidget *>{st.Command3, st.chkLawine, st.chkschnell})
            w->raise();
    }

    st.Text2 = onBoard<TextBox>(b, 75, 60, 1620, 285);
    hintStyle(st.Text2, QStringLiteral("ins Feld ziehen!"));

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
        st.Picture1[size_t(s.index)] = p;
    }

    st.Command2 = onBoard<CommandButton>(b, 7920, 1200, 810, 330);
    st.Command2->setText(QStringLiteral("Mischen"));
    st.Command2->setBackColor(rgb(192, 255, 255));
    st.Command2->setToolTipText(QStringLiteral("Zufallsanordnung"));

    st.Text3 = onBoard<TextBox>(b, 75, 1200, 1620, 285);
    hintStyle(st.Text3, QStringLiteral("Maus rechts: zurück"));

    st.cmdSpielen = onBoard<CommandButton>(b, 2460, 1125, 1275, 390);
    setPicture(st.cmdSpielen, picture("mode_spielen.png"), QSize(61, 14));
    st.cmdSpielen->setToolTipText(QStringLiteral("Spielsteine einfügen, Zugmodus"));
    st.cmdVerbinden = onBoard<CommandButton>(b, 2460, 585, 1275, 420);
    setPicture(st.cmdVerbinden, picture("mode_verbinden.png"), QSize(61, 14));
    st.cmdVerbinden->setToolTipText(QStringLiteral("Felder verbinden"));
    st.cmdSetzen = onBoard<CommandButton>(b, 2460, 75, 1275, 390);
    setPicture(st.cmdSetzen, picture("mode_setzen.png"), QSize(61, 14));
    st.cmdSetzen->setToolTipText(QStringLiteral("Felder setzen"));
    for (CommandButton *m : {st.cmdSetzen, st.cmdVerbinden, st.cmdSpielen})
        m->setBackColor(colors::ButtonFace);

    st.Picture2 = onBoard<PictureBox>(b, 0, 1650, 9915, 90);

    st.dragOutline = new DragOutline(b);

    // Stacking order on the board, front to back.
    std::vector<QWidget *> order{st.image2, st.Command7, st.txtDateiname, st.Text5, st.Command12, st.Command10,
                                 st.VScroll1};
    for (int i = 64; i >= 32; --i)
        order.push_back(st.picZahl[size_t(i)]);
    for (int i = 64; i >= 32; --i)
        order.push_back(st.picFeld[size_t(i)]);
    for (QWidget *w : std::initializer_list<QWidget *>{st.Picture5, st.image1, st.picEigenschaften, st.Command8,
                                                       st.Picture3, st.Picture4, st.Text2, st.Picture1[8],
                                                       st.Picture1[7], st.Command2, st.Text3})
        order.push_back(w);
    for (int i = 0; i <= 29; ++i)
        order.push_back(st.picFeld[size_t(i)]);
    order.push_back(st.picFeld[31]);
    for (int i = 0; i <= 31; ++i)
        order.push_back(st.picZahl[size_t(i)]);
    order.push_back(st.picFeld[30]);
    for (QWidget *w : std::initializer_list<QWidget *>{st.cmdSpielen, st.cmdVerbinden, st.cmdSetzen})
        order.push_back(w);
    for (int i = 0; i <= 6; ++i)
        order.push_back(st.Picture1[size_t(i)]);
    order.push_back(st.Picture2);
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        (*it)->raise();

    // Stacking order on the window, front to back.
    for (QWidget *w : std::initializer_list<QWidget *>{st.picRahmen, st.Command4, st.Command5, st.Command6, st.Text1,
                                                       st.Text4, st.Text6, st.Text7, st.Command1})
        w->raise();
}

void frmSchiebwerk::wireEvents()
{
    BoardState &st = *m_st;
    BoardState *s = m_st.get();

    connect(st.cmdneu, &QAction::triggered, this, [s] { cmdneu_Click(*s); });
    connect(st.Command4, &QPushButton::clicked, this, [s] { cmdneu_Click(*s); });
    connect(st.cmdLadenM, &QAction::triggered, this, [s] { gamefile::cmdLadenM_Click(*s); });
    connect(st.Command5, &QPushButton::clicked, this, [s] { gamefile::cmdLadenM_Click(*s); });
    connect(st.cmdSpeichernM, &QAction::triggered, this, [s] { gamefile::cmdSpeichernM_Click(*s); });
    connect(st.Command6, &QPushButton::clicked, this, [s] { gamefile::cmdSpeichernM_Click(*s); });
    connect(st.cmdEnde, &QAction::triggered, this, &QWidget::close);
    connect(st.cmdInfo, &QAction::triggered, this, [s] { cmdInfo_Click(*s); });

    connect(st.cmdGanz, &QAction::triggered, this, [s] { cmdGanz_Click(*s); });
    connect(st.cmdNormal, &QAction::triggered, this, [s] { cmdNormal_Click(*s); });
    connect(st.image2, &QPushButton::clicked, this, [s] { image2_Click(*s); });
    connect(st.cmdNaus, &QAction::triggered, this, [s] { cmdNaus_Click(*s); });
    connect(st.cmdNein, &QAction::triggered, this, [s] { cmdNein_Click(*s); });
    connect(st.Command7, &QPushButton::clicked, this, [s] { Command7_Click(*s); });

    connect(st.undoAction, &QAction::triggered, this, [s] { play::undo(*s); });
    connect(st.redoAction, &QAction::triggered, this, [s] { play::redo(*s); });
    connect(st.hintAction, &QAction::triggered, this, [s] { play::showHint(*s); });
    connect(st.solveAction, &QAction::triggered, this, [s] { play::solveAll(*s); });
    connect(st.solvabilityAction, &QAction::triggered, this, [s] { play::showSolvability(*s); });

    connect(st.cmdSetzen, &QPushButton::clicked, this, [s] { cmdSetzen_Click(*s); });
    connect(st.cmdVerbinden, &QPushButton::clicked, this, [s] { cmdVerbinden_Click(*s); });
    connect(st.cmdSpielen, &QPushButton::clicked, this, [s] { cmdSpielen_Click(*s); });

    for (int i = 0; i < FieldCount; ++i) {
        PictureBox *f = st.picFeld[size_t(i)];
        connect(f, &PictureBox::mouseDown, this,
                [s, i](int bt, int sh, float x, float y) { editor::picFeld_MouseDown(*s, i, bt, sh, x, y); });
        connect(f, &PictureBox::mouseMove, this,
                [s, i](int bt, int sh, float x, float y) { editor::picFeld_MouseMove(*s, i, bt, sh, x, y); });
        connect(f, &PictureBox::mouseUp, this,
                [s, i](int bt, int sh, float x, float y) { editor::picFeld_MouseUp(*s, i, bt, sh, x, y); });
        connect(f, &PictureBox::keyDown, this, [s, i](int key, int sh) { editor::picFeld_KeyDown(*s, i, key, sh); });
        connect(f, &PictureBox::gotFocus, this, [s, i] { editor::picFeld_GotFocus(*s, i); });
        connect(f, &PictureBox::lostFocus, this, [s, i] { editor::picFeld_LostFocus(*s, i); });

        PictureBox *z = st.picZahl[size_t(i)];
        connect(z, &PictureBox::mouseDown, this,
                [s, i](int bt, int sh, float x, float y) { play::picZahl_MouseDown(*s, i, bt, sh, x, y); });
    }

    connect(st.picRahmen, &PictureBox::mouseDown, this,
            [s](int bt, int sh, float x, float y) { editor::picRahmen_MouseDown(*s, bt, sh, x, y); });
    connect(st.picRahmen, &PictureBox::mouseMove, this,
            [s](int bt, int sh, float x, float y) { editor::picRahmen_MouseMove(*s, bt, sh, x, y); });
    connect(st.picRahmen, &PictureBox::mouseUp, this,
            [s](int bt, int sh, float x, float y) { editor::picRahmen_MouseUp(*s, bt, sh, x, y); });
    connect(st.Command1, &QPushButton::clicked, this, [s] { editor::Command1_Click(*s); });
    connect(st.VScroll1, &QScrollBar::valueChanged, this, [s] { editor::VScroll1_Change(*s); });
    connect(st.Command12, &QPushButton::clicked, this, [s] { editor::Command12_Click(*s); });
    for (int i = 0; i < 9; ++i)
        connect(st.Picture1[size_t(i)], &PictureBox::click, this, [s, i] { editor::Picture1_Click(*s, i); });
    connect(st.Text1, &TextBox::click, this, [s] { editor::Text1_Click(*s); });

    connect(st.Command3, &QPushButton::clicked, this, [s] { play::Command3_Click(*s); });
    connect(st.image1, &QPushButton::clicked, this, [s] { play::image1_Click(*s); });
    connect(st.Command8, &QPushButton::clicked, this, [s] { play::Command8_Click(*s); });
    connect(st.Command2, &QPushButton::clicked, this, [s] { play::Command2_Click(*s); });
    connect(st.Command10, &QPushButton::clicked, this, [s] { play::Command10_Click(*s); });

    connect(st.picsteinFarbe, &PictureBox::click, this, [s] { appearance::picsteinFarbe_Click(*s); });
    connect(st.pictextfarbe, &PictureBox::click, this, [s] { appearance::pictextfarbe_Click(*s); });
    connect(st.Command9, &QPushButton::clicked, this, [s] { appearance::Command9_Click(*s); });
    connect(st.cmdtxtFeld, &QPushButton::clicked, this, [s] { appearance::cmdtxtFeld_Click(*s); });
    connect(st.Command11, &QPushButton::clicked, this, [s] { appearance::Command11_Click(*s); });
}

} // namespace app
