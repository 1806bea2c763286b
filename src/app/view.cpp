#include "app.h"
#include "frmschiebwerk.h"

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
double windowWidth(const BoardState &st) { return st.form->frameGeometry().width() * Twips; }
double windowHeight(const BoardState &st) { return st.form->frameGeometry().height() * Twips; }

// Moves the frame's top-left corner (QWidget::move places the frame of a window).
void setWindowPos(BoardState &st, double left, double top) { st.form->move(pixels(left), pixels(top)); }

// An outer size becomes an inner size once the frame is taken off.
void setWindowSize(BoardState &st, double width, double height)
{
    const QMargins m = frameMargins(st.form);
    st.form->resize(std::max(0, pixels(width) - m.left() - m.right()),
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
    explicit StartupFrameWatch(BoardState &st) : QObject(st.form), m_st(st), m_form(st.form)
    {
        setObjectName(QStringLiteral("StartupFrameWatch"));
        st.form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        // The window's own pointer: the board state is gone before the window's last
        // events (its children leaving) arrive here.
        if (o == m_form) {
            switch (e->type()) {
            case QEvent::Show:
                // The window handle exists from here on; the frame is settled when it is exposed.
                if (!m_exposed && !m_handle && m_form->windowHandle()) {
                    m_handle = m_form->windowHandle();
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
    bool framed() const { return !frameMargins(m_form).isNull(); }

    void take()
    {
        const QRect f = m_form->frameGeometry();
        m_st.Normalmass[0] = f.x() * Twips;
        m_st.Normalmass[1] = f.y() * Twips;
        m_st.Normalmass[2] = f.width() * Twips;
        m_st.Normalmass[3] = f.height() * Twips;
        if (framed())
            m_form->removeEventFilter(this);
    }

    BoardState &m_st;
    QWidget *const m_form;
    QPointer<QWindow> m_handle;
    bool m_exposed = false;
};

void endStartupFrameWatch(BoardState &st)
{
    delete st.form->findChild<StartupFrameWatch *>(QStringLiteral("StartupFrameWatch"), Qt::FindDirectChildrenOnly);
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
    forms::PictureBox *board = st.picRahmen;
    board->setHeight(float((windowHeight(st) - double(board->top())) * BoardHeightShare));
    board->setWidth(float(windowWidth(st) - double(board->left()) - BoardRightMargin));
    st.Command1->setLeft(
        float(double(board->left()) + double(board->width()) - double(st.Command1->width()) - EraseRightMargin));

    const double innerWidth = board->innerWidthPx();
    const double innerHeight = board->innerHeightPx();
    st.Command7->setLeft(float(innerWidth - double(st.Command7->width())));
    st.txtDateiname->setTop(float(innerHeight - double(st.txtDateiname->height())));
    st.txtDateiname->setWidth(float(innerWidth));
    st.Text5->setTop(float(double(st.txtDateiname->top()) - double(st.Text5->height())));
    st.Text5->setWidth(st.txtDateiname->width());
    st.Command7->setTop(float(double(st.Text5->top()) - double(st.Command7->height())));

    st.image2->setVisible(true);
    st.image2->setTop(st.Picture4->top());
    st.image2->setLeft(float(innerWidth * Image2Share - double(st.image2->width())));
}

// A window manager answers a resize when it gets to it, and may give the window less
// than the screen (a panel, a size limit). Until the next view command, whatever size
// the platform reports is the one the board is laid out for.
class FullScreenFollower : public QObject {
public:
    explicit FullScreenFollower(BoardState &st) : QObject(st.form), m_st(st), m_form(st.form)
    {
        setObjectName(QStringLiteral("FullScreenFollower"));
        st.form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == m_form && e->type() == QEvent::Resize && m_form->size() != m_laidOut) {
            m_laidOut = m_form->size();
            m_form->setFixedSize(m_laidOut);
            layoutFullScreen(m_st);
        }
        return false;
    }

private:
    BoardState &m_st;
    QWidget *const m_form;
    QSize m_laidOut = m_form->size();
};

void endFullScreenFollower(BoardState &st)
{
    delete st.form->findChild<FullScreenFollower *>(QStringLiteral("FullScreenFollower"), Qt::FindDirectChildrenOnly);
}

} // namespace

void cmdGanz_Click(BoardState &st)
{
    endStartupFrameWatch(st);
    endFullScreenFollower(st);
    QScreen *screen = st.form->screen() ? st.form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();

    // The normal view's fixed size gives way; the window and the inner area grow.
    unlockSize(st.form);
    if (QWidget *client = st.form->centralWidget())
        unlockSize(client);
    setWindowPos(st, area.left() * Twips, area.top() * Twips);
    setWindowSize(st, area.width() * Twips, area.height() * Twips);
    // Full screen is fixed as well, at the size the window takes.
    st.form->setFixedSize(st.form->size());

    // The board's outer width in twips becomes the bar's width in board pixels: the
    // bar reaches beyond the widened board and is cut off at its border.
    st.Picture2->setWidth(st.picRahmen->width());
    layoutFullScreen(st);
    new FullScreenFollower(st);
}

void cmdNormal_Click(BoardState &st)
{
    endStartupFrameWatch(st);
    endFullScreenFollower(st);
    const auto &n = st.Normalmass;

    // Back to the fixed normal window: the inner area first, so the window can shrink.
    if (QWidget *client = st.form->centralWidget())
        client->setFixedSize(pixels(frmSchiebwerk::ClientWidthTwips), pixels(frmSchiebwerk::ClientHeightTwips));
    unlockSize(st.form);
    setWindowPos(st, n[0], n[1]);
    setWindowSize(st, n[2], n[3]);
    st.form->setFixedSize(st.form->size());

    st.Picture2->setWidth(float(n[4]));
    st.picRahmen->setHeight(float(n[5]));
    st.picRahmen->setWidth(float(n[6]));
    st.Command1->setLeft(float(n[7]));
    st.Command7->setLeft(float(n[8]));
    st.txtDateiname->setTop(float(n[9]));
    st.txtDateiname->setWidth(float(n[10]));
    st.Text5->setTop(float(n[11]));
    st.Text5->setWidth(float(n[12]));
    st.Command7->setTop(float(n[13]));

    // Its full-screen place lies beyond the normal board; it has nothing to do here.
    st.image2->setVisible(false);
}

void image2_Click(BoardState &st) { cmdNormal_Click(st); }

void cmdNaus_Click(BoardState &st)
{
    st.Text5->setVisible(false);
    st.Command7->setVisible(false);
}

void cmdNein_Click(BoardState &st)
{
    st.Text5->setVisible(true);
    st.Command7->setVisible(true);
}

void Command7_Click(BoardState &st) { st.Text5->setText(QString()); }

} // namespace app
