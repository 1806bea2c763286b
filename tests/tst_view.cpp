// Full-screen and normal view, and the notes field.
//
// The suite runs on an offscreen screen of a known size, 1024 x 768 pixels
// (15360 x 11520 twips); the offscreen platform gives shown windows a frame of
// its own, so the outer and inner geometry of the window differ as on a desktop.

#include "app/app.h"
#include "support/snapshot.h"
#include "support/testwindow.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

using app::BoardState;

namespace {

constexpr int ScreenW = 1024, ScreenH = 768;
constexpr double Tw = 15.0;

// The widgets the normal view puts back, with their values as the test found them.
QList<float> normalLayout(const BoardState &st)
{
    return {st.Picture2->width(), st.picRahmen->height(), st.picRahmen->width(), st.Command1->left(),
            st.Command7->left(),  st.txtDateiname->top(), st.txtDateiname->width(), st.Text5->top(),
            st.Text5->width(),    st.Command7->top()};
}

} // namespace

class TestView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QScreen *s = QGuiApplication::primaryScreen();
        QVERIFY(s);
        QCOMPARE(s->geometry(), QRect(0, 0, ScreenW, ScreenH));
    }

    void init()
    {
        m_tw = std::make_unique<testing::TestWindow>();
        m_tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tw->window.get()));
        m_startFrame = m_tw->window->frameGeometry();
        m_startInner = m_tw->window->geometry();
        m_start = normalLayout(st());
    }

    void cleanup() { m_tw.reset(); }

    void startupRecordsTheFramedWindow()
    {
        // Without a frame the test would prove nothing.
        QVERIFY(m_startFrame != m_startInner);
        const auto &n = st().Normalmass;
        QCOMPARE(n[0], m_startFrame.x() * Tw);
        QCOMPARE(n[1], m_startFrame.y() * Tw);
        QCOMPARE(n[2], m_startFrame.width() * Tw);
        QCOMPARE(n[3], m_startFrame.height() * Tw);
        // The rest is the design layout of the board and its neighbours.
        QCOMPARE(n[4], 661.0);
        QCOMPARE(n[5], 9105.0);
        QCOMPARE(n[6], 9855.0);
        QCOMPARE(n[7], 9450.0);
        QCOMPARE(n[8], 628.0);
        QCOMPARE(n[13], 470.0);
    }

    void fullScreenFillsTheScreen()
    {
        clickMenu(st().cmdGanz);
        QWidget *w = m_tw->window.get();
        // 15360 x 11520 twips: the outer frame covers the screen.
        QCOMPARE(w->frameGeometry(), QRect(0, 0, ScreenW, ScreenH));
        // Fixed at that size, and the inner area grew with it.
        QCOMPARE(w->minimumSize(), w->size());
        QCOMPARE(w->maximumSize(), w->size());
        QWidget *client = m_tw->window->client();
        QVERIFY(client->rect().contains(st().picRahmen->geometry()));
        QVERIFY(client->rect().contains(st().Command1->geometry()));
    }

    void fullScreenRelaysTheBoard()
    {
        clickMenu(st().cmdGanz);
        const BoardState &s = st();
        const double winH = m_tw->window->frameGeometry().height() * Tw;

        QCOMPARE(s.picRahmen->left(), 210.0f);
        QCOMPARE(s.picRahmen->top(), 600.0f);
        QCOMPARE(s.picRahmen->width(), 14670.0f); // 15360 - 210 - 480
        // The height follows the window height the window actually took: here all of the screen.
        QCOMPARE(winH, 11520.0);
        QCOMPARE(s.picRahmen->height(), float((winH - 600) * 0.9));
        QCOMPARE(s.picRahmen->height(), 9828.0f);
        // The erase button ends 240 twips inside the board's right edge.
        QCOMPARE(s.Command1->left(), 14175.0f);
        QCOMPARE(s.Command1->left() + s.Command1->width(), s.picRahmen->left() + s.picRahmen->width() - 240);
        // The board's normal width in twips, taken as board pixels.
        QCOMPARE(s.Picture2->width(), 9855.0f);

        // 978 board pixels wide with a 2-pixel border.
        const int innerW = s.picRahmen->innerWidthPx();
        const int innerH = s.picRahmen->innerHeightPx();
        QCOMPARE(innerW, 974);
        QCOMPARE(innerH, s.picRahmen->QWidget::height() - 4);

        // The bottom strip hangs on the board's inner edges, one widget on the next.
        QCOMPARE(s.txtDateiname->top() + s.txtDateiname->height(), float(innerH));
        QCOMPARE(s.txtDateiname->width(), float(innerW));
        QCOMPARE(s.Text5->top() + s.Text5->height(), s.txtDateiname->top());
        QCOMPARE(s.Text5->width(), float(innerW));
        QCOMPARE(s.Command7->top() + s.Command7->height(), s.Text5->top());
        QCOMPARE(s.Command7->left() + s.Command7->width(), float(innerW));
        // Lefts, heights and widths of the moved widgets stay.
        QCOMPARE(s.txtDateiname->left(), -2.0f);
        QCOMPARE(s.Text5->left(), -2.0f);
        QCOMPARE(s.txtDateiname->height(), 21.0f);
        QCOMPARE(s.Text5->height(), 92.0f);
        QCOMPARE(s.Command7->width(), 26.0f);
        QCOMPARE(s.Command7->height(), 18.0f);

        // The way back: at the top of the cascade box, right-aligned to 0.999 of the inner width.
        QVERIFY(s.image2->visible());
        QVERIFY(s.image2->isVisible());
        QCOMPARE(s.image2->top(), 5.0f);
        QCOMPARE(s.image2->left(), float(innerW * 0.999 - 89));
        QCOMPARE(s.image2->width(), 89.0f);
    }

    void fullScreenKeepsTheBoardContents()
    {
        testing::buildBoard(st(), QStringLiteral("0-1 1-2 2-3"));
        app::cmdSpielen_Click(st());
        const testing::BoardSnapshot before = testing::snapshot(st());
        clickMenu(st().cmdGanz);
        // Fields, tokens, palette and the rest stay; only the board itself is re-laid.
        QCOMPARE(testing::firstDifference(before, testing::snapshot(st()), {QStringLiteral("picRahmen")}), QString());
    }

    void fullScreenTwiceWidensTheBar()
    {
        clickMenu(st().cmdGanz);
        QList<float> once = normalLayout(st());
        clickMenu(st().cmdGanz);
        // The second time the board is already wide: the bar takes that width.
        QCOMPARE(st().Picture2->width(), 14670.0f);
        once[0] = 14670.0f;
        QCOMPARE(normalLayout(st()), once);
        clickMenu(st().cmdNormal);
        QCOMPARE(st().Picture2->width(), 661.0f);
    }

    void normalRestoresStartup_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("notesHidden");
        QTest::newRow("menu normal") << "menu" << false;
        QTest::newRow("image2") << "image2" << false;
        QTest::newRow("image2, notes hidden") << "image2" << true;
        QTest::newRow("normal without full screen, window moved") << "moved" << false;
    }

    void normalRestoresStartup()
    {
        QFETCH(QString, how);
        QFETCH(bool, notesHidden);
        QWidget *w = m_tw->window.get();
        if (notesHidden)
            clickMenu(st().cmdNaus);
        if (how == QLatin1String("moved")) {
            w->move(m_startFrame.x() + 40, m_startFrame.y() + 25);
            QCOMPARE(w->frameGeometry().topLeft(), m_startFrame.topLeft() + QPoint(40, 25));
        } else {
            clickMenu(st().cmdGanz);
            QVERIFY(w->frameGeometry() != m_startFrame);
        }
        if (how == QLatin1String("image2"))
            QTest::mouseClick(st().image2, Qt::LeftButton);
        else
            clickMenu(st().cmdNormal);

        QCOMPARE(w->frameGeometry(), m_startFrame);
        QCOMPARE(w->geometry(), m_startInner);
        QCOMPARE(w->minimumSize(), m_startInner.size());
        QCOMPARE(w->maximumSize(), m_startInner.size());
        QCOMPARE(m_tw->window->client()->size(), QSize(689, 661));
        QCOMPARE(normalLayout(st()), m_start);
        QVERIFY(!st().image2->visible());
        QCOMPARE(st().Text5->visible(), !notesHidden);
        QCOMPARE(st().Command7->visible(), !notesHidden);
        // Still a fixed window.
        w->resize(900, 700);
        QCOMPARE(w->size(), m_startInner.size());
    }

    void notesHideAndShowTogether()
    {
        BoardState &s = st();
        s.Text5->setText(QStringLiteral("Meine Notiz"));
        for (QAction *a : {s.cmdNaus, s.cmdNaus, s.cmdNein, s.cmdNein}) {
            clickMenu(a);
            const bool shown = a == s.cmdNein;
            QVERIFY(s.Text5->visible() == shown && s.Text5->isVisible() == shown);
            QVERIFY(s.Command7->visible() == shown && s.Command7->isVisible() == shown);
        }
        QCOMPARE(s.Text5->text(), QStringLiteral("Meine Notiz"));
    }

    void notesClearButtonEmptiesOnly_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("normal view") << false;
        QTest::newRow("full screen") << true;
    }

    void notesClearButtonEmptiesOnly()
    {
        QFETCH(bool, fullScreen);
        BoardState &s = st();
        if (fullScreen)
            clickMenu(s.cmdGanz);
        s.Text5->setFocus();
        s.Text5->moveCursor(QTextCursor::End);
        QTest::keyClicks(s.Text5, QStringLiteral(" und noch etwas"));
        QVERIFY(s.Text5->text().endsWith(QStringLiteral(" und noch etwas")));
        QTest::mouseClick(s.Command7, Qt::LeftButton);
        QCOMPARE(s.Text5->text(), QString());
        QVERIFY(s.Text5->visible() && s.Command7->visible());
        // Clearing twice is harmless.
        app::Command7_Click(s);
        QCOMPARE(s.Text5->text(), QString());
    }

    // The switch writes the help text (checked with the modes); the view commands alone
    // decide the visibility.
    void modeSwitchKeepsNotesHidden()
    {
        BoardState &s = st();
        clickMenu(s.cmdNaus);
        forms::CommandButton *buttons[3] = {s.cmdVerbinden, s.cmdSpielen, s.cmdSetzen};
        const QString *help[3] = {&app::HilfeVerbinden, &app::HilfeSpielen, &app::HilfeSetzen};
        for (int m = 0; m < 3; ++m) {
            s.Text5->setText(QStringLiteral("Notiz"));
            QTest::mouseClick(buttons[m], Qt::LeftButton);
            QCOMPARE(s.Text5->text(), *help[m]);
            QVERIFY(!s.Text5->visible());
            QVERIFY(!s.Command7->visible());
        }
    }

private:
    BoardState &st() { return m_tw->st(); }
    void clickMenu(QAction *a) { a->trigger(); }

    std::unique_ptr<testing::TestWindow> m_tw;
    QRect m_startFrame, m_startInner;
    QList<float> m_start;
};

int main(int argc, char *argv[])
{
    // A screen of known size for the full-screen view.
    QTemporaryFile config;
    if (!config.open())
        return 2;
    config.write(QByteArrayLiteral(R"({"screens":[{"name":"test","x":0,"y":0,"width":1024,"height":768,)"
                                   R"("logicalDpi":96,"dpr":1}],"windowFrameMargins":true})"));
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    QApplication app(argc, argv);
    TestView t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_view.moc"
