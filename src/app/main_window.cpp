#include "main_window.h"

#include "app.h"
#include "appearance/appearance.h"
#include "editor/editor.h"
#include "gamefile/gamefile.h"
#include "pictures.h"
#include "play/play.h"
#include "widgets.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>

namespace app {

using namespace forms;

namespace {

// The platform's keys for a standard command, and `also` besides when they lack it, so
// the keys players know from other programs work everywhere.
QList<QKeySequence> keys(QKeySequence::StandardKey standard, const QKeySequence &also = {})
{
    QList<QKeySequence> k = QKeySequence::keyBindings(standard);
    if (!also.isEmpty() && !k.contains(also))
        k << also;
    return k;
}

} // namespace

MainWindow::MainWindow(CommonDialog *dialog, MessageBoxes *messages, Pacing *pacing)
{
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
    setWindowIcon(pictures::pairIcon(QLatin1StringView("app")));

    buildMenus();
    buildWidgets();
    wireEvents();

    // A fixed window: the full-screen view is the way to a larger board.
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
    m_client = new QWidget(this);
    m_client->setFixedSize(int(ClientWidthTwips / TwipsPerPixel), int(ClientHeightTwips / TwipsPerPixel));
    m_client->setFont(makeFont(QStringLiteral("MS Sans Serif"), 8.25));
    QPalette pal = m_client->palette();
    pal.setColor(QPalette::Window, colors::toQColor(colors::ActiveBorder));
    m_client->setPalette(pal);
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);

    widgets::buildPanels(*m_st, m_client);
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
