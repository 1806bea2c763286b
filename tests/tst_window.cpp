// The window as it comes up, the work modes, a new board and the menu commands.

#include "support/testwindow.h"

#include "app/app.h"
#include "forms/numtext.h"

#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>
#include <map>

using namespace testing;
using colors::rgb;

class TestWindow_ : public QObject {
    Q_OBJECT
    std::unique_ptr<TestWindow> tw;
    app::BoardState &st() { return tw->st(); }

    QStringList lampColours()
    {
        auto name = [](colors::Color c) {
            if (c == rgb(255, 0, 0)) return QStringLiteral("red");
            if (c == rgb(255, 255, 0)) return QStringLiteral("yellow");
            if (c == rgb(0, 255, 0)) return QStringLiteral("green");
            if (c == rgb(80, 80, 80)) return QStringLiteral("dark");
            return QStringLiteral("?");
        };
        return {name(st().shpSetzen->fillColor()), name(st().shpVerbinden->fillColor()),
                name(st().shpSpielen->fillColor())};
    }
    QString modeTags() { return st().cmdSetzen->tag() + st().cmdVerbinden->tag() + st().cmdSpielen->tag(); }

private slots:
    void init() { tw = std::make_unique<TestWindow>(); }
    void cleanup() { tw.reset(); }

    void windowAndMenus()
    {
        QCOMPARE(tw->window->windowTitle(), QStringLiteral("Graphen-Schiebwerk"));
        QCOMPARE(tw->window->client()->size(), QSize(689, 661));
        QStringList titles;
        for (QAction *a : tw->window->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"Datei", "Ansicht", "Information"}));
        QStringList datei, ansicht;
        for (QAction *a : st().cmdDatei->actions())
            datei << a->text();
        for (QAction *a : st().cmdAnsicht->actions())
            ansicht << a->text();
        QCOMPARE(datei, (QStringList{"neu", "öffnen", "speichern", "beenden"}));
        QCOMPARE(ansicht,
                 (QStringList{"ganzer Bildschirm", "normal", "Notizfeld ausblenden", "Notizfeld einblenden"}));
    }

    QWidget *byName(const QString &n)
    {
        auto &s = st();
        const std::map<QString, QWidget *> m{
            {"picRahmen", s.picRahmen},       {"Command1", s.Command1},       {"Picture2", s.Picture2},
            {"txtDateiname", s.txtDateiname}, {"Text5", s.Text5},             {"VScroll1", s.VScroll1},
            {"cmdVerbinden", s.cmdVerbinden}, {"Picture1(0)", s.Picture1[0]}, {"Picture1(4)", s.Picture1[4]},
            {"shpSpielen", s.shpSpielen},     {"Command3", s.Command3},       {"Label1(1)", s.Label1[1]},
            {"Command9", s.Command9},         {"image2", s.image2},           {"Text7", s.Text7}};
        return m.at(n);
    }

    void layoutOnTheBoard_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QRect>("pixels");
        // Design twips divided by 15, relative to the container's inner area.
        QTest::newRow("picRahmen") << "picRahmen" << QRect(14, 40, 657, 607);
        QTest::newRow("Command1") << "Command1" << QRect(630, 164, 31, 31);
        QTest::newRow("Text7") << "Text7" << QRect(542, 14, 120, 19);
        QTest::newRow("Picture2") << "Picture2" << QRect(0, 110, 661, 6);
        QTest::newRow("txtDateiname") << "txtDateiname" << QRect(-2, 582, 656, 21);
        QTest::newRow("Text5") << "Text5" << QRect(-2, 488, 658, 92);
        QTest::newRow("image2") << "image2" << QRect(550, 154, 89, 95);
        QTest::newRow("VScroll1") << "VScroll1" << QRect(88, 40, 25, 41);
        QTest::newRow("cmdVerbinden") << "cmdVerbinden" << QRect(164, 39, 85, 28);
        QTest::newRow("Picture1(0)") << "Picture1(0)" << QRect(392, 6, 111, 21);
        QTest::newRow("Picture1(4)") << "Picture1(4)" << QRect(447, 50, 31, 26);
        QTest::newRow("shpSpielen") << "shpSpielen" << QRect(4, 57, 21, 21);
        QTest::newRow("Command3") << "Command3" << QRect(44, 54, 37, 37);
        QTest::newRow("Label1(1)") << "Label1(1)" << QRect(0, 38, 21, 15);
        QTest::newRow("Command9") << "Command9" << QRect(40, 52, 58, 19);
    }
    void layoutOnTheBoard()
    {
        QFETCH(QString, widget);
        QFETCH(QRect, pixels);
        QCOMPARE(byName(widget)->geometry(), pixels);
    }

    void designTimeTexts()
    {
        auto &s = st();
        QCOMPARE(s.Text4->text(), QStringLiteral("Aktion wählen"));
        QCOMPARE(s.Text6->text(), QStringLiteral("nachrücken"));
        QCOMPARE(s.Text1->text(), QStringLiteral("Farbe wählen"));
        QCOMPARE(s.Text7->text(), QStringLiteral("Zufall"));
        QCOMPARE(s.txtDateiname->text(), QString());
        QCOMPARE(s.Label2->text(), QStringLiteral(" Stein"));
        QCOMPARE(s.Command8->toolTipText(), QStringLiteral("anhalten"));
        QCOMPARE(s.Command2->toolTipText(), QStringLiteral("Zufallsanordnung"));
        QCOMPARE(s.Command10->toolTipText(), QStringLiteral("Zufallsanordnung"));
        QCOMPARE(s.cmdSpielen->toolTipText(), QStringLiteral("Spielsteine einfügen, Zugmodus"));
        QVERIFY(!s.picEigenschaften->visible());
        QVERIFY(!s.image2->visible());
        QCOMPARE(s.VScroll1->minimum(), 12);
        QCOMPARE(s.VScroll1->maximum(), 60);
        QCOMPARE(s.VScroll1->value(), 42);
        // The palette's bar and its swatch 5 both start red.
        QCOMPARE(s.Picture1[0]->backColor(), rgb(255, 0, 0));
        QCOMPARE(s.Picture1[5]->backColor(), rgb(255, 0, 0));
        QCOMPARE(s.cmdSetzen->backColor(), colors::Color(-2147483633));
        // Command1 lies in front of the board.
        QVERIFY(tw->window->client()->children().indexOf(s.Command1)
                > tw->window->client()->children().indexOf(s.picRahmen));
    }

    void startUpState()
    {
        auto &s = st();
        QCOMPARE(lampColours(), (QStringList{"red", "dark", "dark"}));
        QCOMPARE(modeTags(), QStringLiteral("100"));
        QCOMPARE(s.Text5->text(), app::HilfeSetzen);
        QVERIFY(!s.Steinzahl.has_value());
        QCOMPARE(s.Feld1, 0);
        QCOMPARE(s.Feld1Gewaehlt, 0);
        for (int i = 0; i < app::FieldCount; ++i) {
            auto *f = s.picFeld[size_t(i)];
            auto *z = s.picZahl[size_t(i)];
            QCOMPARE(f->width(), 42.0f);
            QCOMPARE(f->height(), 42.0f);
            QCOMPARE(f->tag(), QStringLiteral("0"));
            QCOMPARE(f->toolTipText(), QStringLiteral("frei"));
            QCOMPARE(f->backColor(), rgb(255, 255, 255));
            QVERIFY(f->flat());
            QCOMPARE(f->mousePointer(), 15);
            QVERIFY(f->left() >= 12 && f->left() < 20);
            QVERIFY(f->top() >= 32 && f->top() < 40);
            QVERIFY(!z->visible());
            QCOMPARE(z->tag(), QStringLiteral("-1"));
            QCOMPARE(z->width(), 32.0f);
            QCOMPARE(z->backColor(), rgb(0, 0, 255));
            QCOMPARE(z->foreColor(), rgb(255, 255, 255));
            QCOMPARE(z->font().pointSizeF(), 16.0);
            QVERIFY(z->font().bold());
            QCOMPARE(z->toolTipText(), QStringLiteral("Maus links: ziehen, Maus rechts: färben"));
            QCOMPARE(s.Steintext[size_t(i)], QLatin1Char(' ') + QString::number(i + 1));
            for (int j = 0; j < app::FieldCount; ++j)
                QCOMPARE(s.Kante[size_t(i)][size_t(j)], 0);
        }
        // Field 0 lies on top of the pile, field 64 at the bottom.
        const auto kids = s.picRahmen->surface()->children();
        QVERIFY(kids.indexOf(s.picFeld[0]) > kids.indexOf(s.picFeld[1]));
        QVERIFY(kids.indexOf(s.picFeld[1]) > kids.indexOf(s.picFeld[64]));
    }

    void pileIsTheSameEveryRun()
    {
        std::vector<std::pair<float, float>> first;
        for (auto *f : st().picFeld)
            first.emplace_back(f->left(), f->top());
        TestWindow again;
        bool someDiffer = false;
        for (int i = 0; i < app::FieldCount; ++i) {
            QCOMPARE(again.st().picFeld[size_t(i)]->left(), first[size_t(i)].first);
            QCOMPARE(again.st().picFeld[size_t(i)]->top(), first[size_t(i)].second);
            someDiffer |= first[size_t(i)] != first[0];
        }
        QVERIFY(someDiffer); // the offsets are random, not one fixed spot
    }

    void lampsAndTagsPerMode_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("lamps");
        QTest::addColumn<QString>("tags");
        QTest::addColumn<int>("pointer");
        QTest::newRow("set") << QStringList{"set"} << QStringList{"red", "dark", "dark"} << "100" << 15;
        QTest::newRow("set->connect") << QStringList{"set", "connect"} << QStringList{"red", "yellow", "dark"} << "010" << 1;
        QTest::newRow("connect->connect") << QStringList{"connect", "connect"} << QStringList{"dark", "yellow", "dark"}
                                          << "010" << 1;
        QTest::newRow("play->connect") << QStringList{"play", "connect"} << QStringList{"dark", "yellow", "dark"} << "010"
                                       << 1;
        QTest::newRow("play") << QStringList{"connect", "play"} << QStringList{"dark", "dark", "green"} << "001" << 1;
        QTest::newRow("play->set") << QStringList{"play", "set"} << QStringList{"red", "dark", "dark"} << "100" << 15;
    }
    void lampsAndTagsPerMode()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, lamps);
        QFETCH(QString, tags);
        QFETCH(int, pointer);
        buildBoard(st(), "0-1 1-2");
        st().Text5->setText(QStringLiteral("meine Notizen")); // the help text replaces the notes
        for (const QString &c : clicks) {
            auto *b = c == "set" ? st().cmdSetzen : c == "connect" ? st().cmdVerbinden : st().cmdSpielen;
            QTest::mouseClick(b, Qt::LeftButton);
        }
        QCOMPARE(lampColours(), lamps);
        QCOMPARE(modeTags(), tags);
        QCOMPARE(st().picFeld[5]->mousePointer(), pointer);
        const QString help = clicks.last() == "set" ? app::HilfeSetzen
                             : clicks.last() == "connect" ? app::HilfeVerbinden
                                                          : app::HilfeSpielen;
        QCOMPARE(st().Text5->text(), help);
        QCOMPARE(checkInvariants(st()), QString());
    }

    void playLaysTokensOnBoardFields()
    {
        auto &s = st();
        buildBoard(s, "3-7 7-9", {});
        app::cmdSpielen_Click(s);
        QCOMPARE(s.steinzahl(), 2);
        QVERIFY(s.Steinzahl.has_value());
        QCOMPARE(s.picZahl[0]->tag(), QStringLiteral("3"));
        QCOMPARE(s.picZahl[1]->tag(), QStringLiteral("7"));
        QVERIFY(s.picZahl[0]->visible() && s.picZahl[1]->visible());
        QVERIFY(!s.picZahl[2]->visible());
        QCOMPARE(s.picZahl[2]->tag(), QStringLiteral("-1"));
        QCOMPARE(s.picFeld[3]->toolTipText(), QStringLiteral("besetzt"));
        QCOMPARE(s.picFeld[7]->toolTipText(), QStringLiteral("besetzt"));
        QCOMPARE(s.picFeld[9]->toolTipText(), QStringLiteral("frei"));
        QCOMPARE(s.Feldnummer[0], 3);
        QCOMPARE(s.Feldnummer[2], 9);
        // Centred on the field: (42 - 32) / 2 = 5 pixels in from its corner.
        QCOMPARE(s.picZahl[1]->left(), s.picFeld[7]->left() + 5);
        QCOMPARE(s.picZahl[1]->top(), s.picFeld[7]->top() + 5);
        // The token shows its text, drawn once at its top-left corner.
        QVERIFY(s.picZahl[0]->hasDrawing());
        QCOMPARE(checkInvariants(s), QString());
    }

    void playWithNoOrOneField()
    {
        auto &s = st();
        app::cmdSpielen_Click(s);
        QCOMPARE(s.steinzahl(), -1);
        for (auto *z : s.picZahl)
            QVERIFY(!z->visible());
        buildBoard(s, "", {12});
        app::cmdSpielen_Click(s);
        QCOMPARE(s.steinzahl(), 0);
        QCOMPARE(s.picFeld[12]->toolTipText(), QStringLiteral("frei"));
        for (auto *z : s.picZahl)
            QVERIFY(!z->visible());
        QCOMPARE(checkInvariants(s), QString());
    }

    void supplyFieldsGetNoToken()
    {
        auto &s = st();
        buildBoard(s, "0-1");
        s.Kante[1][20] = s.Kante[20][1] = 1; // field 20 stays in the supply
        app::cmdSpielen_Click(s);
        QCOMPARE(s.steinzahl(), 1);
        QCOMPARE(tokenOnField(s, 20), -1);
        QCOMPARE(s.picFeld[20]->toolTipText(), QStringLiteral("frei"));
    }

    void playAgainRestoresOrder()
    {
        auto &s = st();
        buildBoard(s, "0-1 1-2");
        app::cmdSpielen_Click(s);
        // Swap two tokens by hand, as a move sequence could.
        s.picZahl[0]->setTag("1");
        s.picZahl[1]->setTag("0");
        app::cmdSpielen_Click(s);
        QCOMPARE(s.picZahl[0]->tag(), QStringLiteral("0"));
        QCOMPARE(s.picZahl[1]->tag(), QStringLiteral("1"));
    }

    void customTokenTextIsDrawn()
    {
        auto &s = st();
        buildBoard(s, "0-1");
        s.Steintext[0] = QStringLiteral("Wü");
        s.picZahl[0]->setForeColor(rgb(255, 255, 0));
        app::cmdSpielen_Click(s);
        const QImage img = s.picZahl[0]->drawing();
        bool yellow = false;
        for (int y = 0; y < img.height() && !yellow; ++y)
            for (int x = 0; x < img.width() && !yellow; ++x)
                yellow = img.pixelColor(x, y) == QColor(255, 255, 0);
        QVERIFY(yellow);
    }

    void newBoardFromPlay()
    {
        auto &s = st();
        buildBoard(s, "0-1 1-2 2-3");
        s.picFeld[2]->setBackColor(rgb(0, 255, 0)); // painted in play mode
        s.picZahl[1]->setBackColor(rgb(255, 0, 0));
        s.Steintext[1] = QStringLiteral("X");
        app::cmdSpielen_Click(s);
        s.VScroll1->setValue(50);
        QTest::mouseClick(s.Command4, Qt::LeftButton);
        QCOMPARE(modeTags(), QStringLiteral("100"));
        for (int i = 0; i < app::FieldCount; ++i) {
            QCOMPARE(s.picFeld[size_t(i)]->left(), 12.0f);
            QCOMPARE(s.picFeld[size_t(i)]->top(), 36.0f);
            QCOMPARE(s.picFeld[size_t(i)]->tag(), QStringLiteral("0"));
            QVERIFY(!s.picZahl[size_t(i)]->visible());
            QCOMPARE(s.picZahl[size_t(i)]->backColor(), rgb(0, 0, 255));
        }
        QCOMPARE(s.Steintext[1], QStringLiteral(" 2"));
        QCOMPARE(s.Kante[1][2], 0);
        QCOMPARE(s.picFeld[2]->backColor(), rgb(0, 255, 0)); // painted fields stay painted
        QCOMPARE(s.picFeld[0]->width(), 50.0f);             // the field size stays
        QCOMPARE(s.steinzahl(), 3);                         // and so does the count
    }

    void newBoardKeepsConnectSelection()
    {
        auto &s = st();
        s.Feld1 = 4;
        s.Feld1Gewaehlt = 1;
        s.picFeld[4]->setBackColor(rgb(255, 255, 100));
        s.cmdneu->trigger();
        QCOMPARE(s.Feld1, 4);
        QCOMPARE(s.Feld1Gewaehlt, 1);
        QCOMPARE(s.picFeld[4]->backColor(), rgb(255, 255, 100));
    }

    void informationBox()
    {
        st().cmdInfo->trigger();
        QCOMPARE(tw->messages.shown.size(), size_t(1));
        QCOMPARE(tw->messages.shown[0].kind, QStringLiteral("information"));
        QCOMPARE(tw->messages.shown[0].title, QStringLiteral("Programmiert von"));
        QVERIFY(!tw->messages.shown[0].text.isEmpty());
    }

    void beendenClosesWithoutQuestion()
    {
        tw->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw->window.get()));
        st().cmdEnde->trigger();
        QVERIFY(!tw->window->isVisible());
        QVERIFY(st().closing);
        QVERIFY(tw->messages.shown.empty());
    }

    void badTagsIndexNothing()
    {
        auto &s = st();
        buildBoard(s, "0-1");
        s.picFeld[0]->setTag(QStringLiteral("1e300"));
        s.picFeld[1]->setTag(QStringLiteral("kaputt"));
        app::cmdSpielen_Click(s);
        QCOMPARE(s.steinzahl(), -1);
        QVERIFY(!s.fieldOfToken(65));
    }
};

QTEST_MAIN(TestWindow_)
#include "tst_window.moc"
