#include "app.h"
#include "main_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace app {

namespace {

constexpr double Twips = forms::TwipsPerPixel;
// What the board's children hang on in the full-screen view: fixed factors and margins.
constexpr double BoardHeightShare = 0.9;
constexpr double Image2Share = 0.999;
constexpr double BoardRightMargin = 480; // twips
constexpr double EraseRightMargin = 240; // twips

int pixels(double twips) { return int(std::lround(twips / Twips)); }

// The frame the platform puts around the window's inner area (zero before the
// window is shown, and on platforms without one).
QMargins frameMargins(const QWidget *w)
{
    const QRect f = w->frameGeometry(), g = w->geometry();
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}

// The window's geometry in twips is its outer frame.
double windowWidth(const BoardState &st) { return st.window->frameGeometry().width() * Twips; }
double windowHeight(const BoardState &st) { return st.window->frameGeometry().height() * Twips; }

// Moves the frame's top-left corner (QWidget::move places the frame of a window).
void setWindowPos(BoardState &st, double left, double top) { st.window->move(pixels(left), pixels(top)); }

// An outer size becomes an inner size once the frame is taken off.
void setWindowSize(BoardState &st, double width, double height)
{
    const QMargins m = frameMargins(st.window);
    st.window->resize(std::max(0, pixels(width) - m.left() - m.right()),
                    std::max(0, pixels(height) - m.top() - m.bottom()));
}

void unlockSize(QWidget *w)
{
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Start-up records the window before it is shown, when it has no frame yet. The
// first time the window is exposed its outer geometry is taken once more, and that
// is the normal view from then on. A window manager may report its frame a moment
// after the expose: while the window has shown no frame, the first move or resize
// that brings one takes the geometry once again, and that is the last time. A window
// that never gets a frame (no window manager) is taken as it first appeared, so
// moving it later does not change where "normal" puts it back.
class StartupFrameWatch : public QObject {
public:
    explicit StartupFrameWatch(BoardState &st) : QObject(st.window), m_st(st), m_window(st.window)
    {
        setObjectName(QStringLiteral("StartupFrameWatch"));
        st.window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        // The window's own pointer: the board state is gone before the window's last
        // events (its children leaving) arrive here.
        if (o == m_window) {
            switch (e->type()) {
            case QEvent::Show:
                // The window handle exists from here on; the frame is settled when it is exposed.
                if (!m_exposed && !m_handle && m_window->windowHandle()) {
                    m_handle = m_window->windowHandle();
                    m_handle->installEventFilter(this);
                }
                break;
            case QEvent::Move:
            case QEvent::Resize:
                if (m_exposed && framed())
                    take();
                break;
            default: break;
            }
        } else if (o == m_handle && e->type() == QEvent::Expose && !m_exposed && m_handle->isExposed()) {
            m_exposed = true;
            m_handle->removeEventFilter(this);
            take();
        }
        return false;
    }

private:
    bool framed() const { return !frameMargins(m_window).isNull(); }

    void take()
    {
        const QRect f = m_window->frameGeometry();
        m_st.normalGeometry.windowLeft = f.x() * Twips;
        m_st.normalGeometry.windowTop = f.y() * Twips;
        m_st.normalGeometry.windowWidth = f.width() * Twips;
        m_st.normalGeometry.windowHeight = f.height() * Twips;
        if (framed())
            m_window->removeEventFilter(this);
    }

    BoardState &m_st;
    QWidget *const m_window;
    QPointer<QWindow> m_handle;
    bool m_exposed = false;
};

void endStartupFrameWatch(BoardState &st)
{
    delete st.window->findChild<StartupFrameWatch *>(QStringLiteral("StartupFrameWatch"), Qt::FindDirectChildrenOnly);
}

} // namespace

void watchStartupFrame(BoardState &st)
{
    endStartupFrameWatch(st);
    new StartupFrameWatch(st);
}

namespace {

// The full-screen steps that follow from the window's size: the board fills the
// window, and what hangs on its right and bottom edges moves with it.
void layoutFullScreen(BoardState &st)
{
    forms::PictureBox *board = st.board;
    board->setHeight(float((windowHeight(st) - double(board->top())) * BoardHeightShare));
    board->setWidth(float(windowWidth(st) - double(board->left()) - BoardRightMargin));
    st.eraseButton->setLeft(
        float(double(board->left()) + double(board->width()) - double(st.eraseButton->width()) - EraseRightMargin));

    const double innerWidth = board->innerWidthPx();
    const double innerHeight = board->innerHeightPx();
    st.clearNotesButton->setLeft(float(innerWidth - double(st.clearNotesButton->width())));
    st.statusLine->setTop(float(innerHeight - double(st.statusLine->height())));
    st.statusLine->setWidth(float(innerWidth));
    st.notes->setTop(float(double(st.statusLine->top()) - double(st.notes->height())));
    st.notes->setWidth(st.statusLine->width());
    st.clearNotesButton->setTop(float(double(st.notes->top()) - double(st.clearNotesButton->height())));

    st.normalViewButton->setVisible(true);
    st.normalViewButton->setTop(st.cascadeBox->top());
    st.normalViewButton->setLeft(float(innerWidth * Image2Share - double(st.normalViewButton->width())));
}

// A window manager answers a resize when it gets to it, and may give the window less
// than the screen (a panel, a size limit). Until the next view command, whatever size
// the platform reports is the one the board is laid out for.
class FullScreenFollower : public QObject {
public:
    explicit FullScreenFollower(BoardState &st) : QObject(st.window), m_st(st), m_window(st.window)
    {
        setObjectName(QStringLiteral("FullScreenFollower"));
        st.window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == m_window && e->type() == QEvent::Resize && m_window->size() != m_laidOut) {
            m_laidOut = m_window->size();
            m_window->setFixedSize(m_laidOut);
            layoutFullScreen(m_st);
        }
        return false;
    }

private:
    BoardState &m_st;
    QWidget *const m_window;
    QSize m_laidOut = m_window->size();
};

void endFullScreenFollower(BoardState &st)
{
    delete st.window->findChild<FullScreenFollower *>(QStringLiteral("FullScreenFollower"), Qt::FindDirectChildrenOnly);
}

} // namespace

void enterFullScreenView(BoardState &st)
{
    endStartupFrameWatch(st);
    endFullScreenFollower(st);
    QScreen *screen = st.window->screen() ? st.window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();

    // The normal view's fixed size gives way; the window and the inner area grow.
    unlockSize(st.window);
    if (QWidget *client = st.window->centralWidget())
        unlockSize(client);
    setWindowPos(st, area.left() * Twips, area.top() * Twips);
    setWindowSize(st, area.width() * Twips, area.height() * Twips);
    // Full screen is fixed as well, at the size the window takes.
    st.window->setFixedSize(st.window->size());

    // The board's outer width in twips becomes the bar's width in board pixels: the
    // bar reaches beyond the widened board and is cut off at its border.
    st.dividerBar->setWidth(st.board->width());
    layoutFullScreen(st);
    new FullScreenFollower(st);
}

void enterNormalView(BoardState &st)
{
    endStartupFrameWatch(st);
    endFullScreenFollower(st);
    const auto &n = st.normalGeometry;

    // Back to the fixed normal window: the inner area first, so the window can shrink.
    if (QWidget *client = st.window->centralWidget())
        client->setFixedSize(pixels(MainWindow::ClientWidthTwips), pixels(MainWindow::ClientHeightTwips));
    unlockSize(st.window);
    setWindowPos(st, n.windowLeft, n.windowTop);
    setWindowSize(st, n.windowWidth, n.windowHeight);
    st.window->setFixedSize(st.window->size());

    st.dividerBar->setWidth(float(n.dividerWidth));
    st.board->setHeight(float(n.boardHeight));
    st.board->setWidth(float(n.boardWidth));
    st.eraseButton->setLeft(float(n.eraseButtonLeft));
    st.clearNotesButton->setLeft(float(n.clearNotesLeft));
    st.statusLine->setTop(float(n.statusLineTop));
    st.statusLine->setWidth(float(n.statusLineWidth));
    st.notes->setTop(float(n.notesTop));
    st.notes->setWidth(float(n.notesWidth));
    st.clearNotesButton->setTop(float(n.clearNotesTop));

    // Its full-screen place lies beyond the normal board; it has nothing to do here.
    st.normalViewButton->setVisible(false);
}

void onNormalViewButtonClicked(BoardState &st) { enterNormalView(st); }

void hideNotes(BoardState &st)
{
    st.notes->setVisible(false);
    st.clearNotesButton->setVisible(false);
}

void showNotes(BoardState &st)
{
    st.notes->setVisible(true);
    st.clearNotesButton->setVisible(true);
}

void clearNotes(BoardState &st) { st.notes->setText(QString()); }

} // namespace app
