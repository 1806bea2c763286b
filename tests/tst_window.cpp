// The whole window, driven as a user drives it. A scenario is a list of user actions
// replayed on a fresh window; what it leaves behind (every line of the saved game, and
// what a game file does not hold: colours, the readout, the panel, the view's geometry)
// is compared, as far as it differs from a fresh window, with its section of
// expected/scenarios.expected, where each value is worked out by hand. Long operations
// log their pumps and waits; reference screenshots pin down what is drawn.
//
// Actions, one word each, arguments after colons:
//   F5, Z2:R, X, ok, swatch6 ...  click a field (at its corner), a token or a control
//   drag:F:X:Y                    drag field F by its centre to board point X, Y
//   press:W:X:Y[:B] to:X:Y release:X:Y[:B]   mouse by hand, board points for to/release
//   lost:F        a drag of field F whose release never arrives
//   key:K menu:M size:N type:TEXT (_ for blank) edges:0-1,1-2 quit
//   file:NAME|- colour:R,G,B|-    the next answer of the file or colour dialog
//   @N:ACTION     the action at the Nth pump of the next long operation
//   pos:W shot:NAME               print a widget's place; compare a screenshot

#include "support.h"

#include "editor/editor.h"
#include "forms/numtext.h"
#include "gamefile/gamefile.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <map>
#include <set>

using namespace testing;
using colors::Color;

namespace {

const QString Source = QStringLiteral(GSW_SOURCE_DIR "/");

QString colour(Color c)
{
    if (colors::isSystem(c))
        return QStringLiteral("system %1").arg(c & 0xFF);
    const QColor q = colors::toQColor(c);
    return QStringLiteral("%1,%2,%3").arg(q.red()).arg(q.green()).arg(q.blue());
}

template <class W> QString place(const W *w)
{
    return QStringLiteral("%1 %2 %3 %4%5").arg(double(w->left())).arg(double(w->top())).arg(double(w->width()))
        .arg(double(w->height())).arg(w->visible() ? "" : " hidden");
}

using Lasting = std::vector<std::pair<QString, QString>>;

// Every line of the saved game by name, in file order, and what else lasts on the window.
Lasting lasting(const app::BoardState &s, const QString &dir)
{
    Lasting v;
    const QList<QByteArray> lines = gamefile::write(gamefile::collect(s)).value_or("").split('\n');
    static const char *items[] = {"left", "top", "tip", "tag", "Z left", "Z top", "Z tip", "Z tag", "Z colour",
                                  "pointer", "Z visible", "Z text"};
    static const char *tail[] = {"cmdSetzen tag", "cmdVerbinden tag", "cmdSpielen tag", "cmdSetzen colour",
                                 "cmdVerbinden colour", "cmdSpielen colour", "Steinzahl", "field size"};
    for (int l = 0; l + 1 < lines.size(); ++l) {
        const int i = l / 12, k = l - 780;
        QString name = l < 780 ? QStringLiteral("F%1 %2").arg(i).arg(items[l % 12]) : k < 4225
            ? QStringLiteral("edge %1-%2").arg(k / 65).arg(k % 65) : QString::fromLatin1(tail[k - 4225]);
        if (name.contains(QLatin1String(" Z ")))
            name = QLatin1Char('Z') + name.mid(1).remove(QLatin1String(" Z"));
        v.push_back({name, QLatin1Char('"') + QString::fromLatin1(lines[l].chopped(1)) + QLatin1Char('"')});
        if (l < 780 && l % 12 == 11) {
            v.push_back({QStringLiteral("F%1 colour").arg(i), colour(s.picFeld[size_t(i)]->backColor())});
            v.push_back({QStringLiteral("F%1 drawn").arg(i), QString::number(s.picFeld[size_t(i)]->hasDrawing())});
            v.push_back({QStringLiteral("Z%1 text colour").arg(i), colour(s.picZahl[size_t(i)]->foreColor())});
        }
    }
    const std::pair<const char *, QString> more[] = {
        {"readout", s.txtDateiname->text().replace(dir, QStringLiteral("~"))},
        {"notes", s.Text5->text().left(24) + (s.Text5->visible() ? "" : " (hidden)")},
        {"lamps", colour(s.shpSetzen->fillColor()) + " / " + colour(s.shpVerbinden->fillColor()) + " / "
                      + colour(s.shpSpielen->fillColor())},
        {"current colour", colour(s.Picture1[0]->backColor())},
        {"panel", place(s.picEigenschaften) + " token " + QString::number(s.AktStein)},
        {"panel swatches", colour(s.picsteinFarbe->backColor()) + " / " + colour(s.pictextfarbe->backColor())},
        {"panel text", s.txtFeld->text() + " in " + colour(s.txtFeld->foreColor()) + " on "
                           + colour(s.txtFeld->backColor())},
        {"board colour", colour(s.picRahmen->backColor()) + " / " + colour(s.Picture5->backColor()) + " / "
                             + colour(s.Label1[0]->backColor()) + " " + colour(s.Label1[2]->backColor())},
        {"selection", QStringLiteral("%1 %2").arg(s.Feld1).arg(s.Feld1Gewaehlt)},
        {"Kaskade, schnell", QStringLiteral("%1 %2").arg(s.chkLawine->value()).arg(s.chkschnell->value())},
        {"window", QStringLiteral("%1 %2 %3 %4").arg(s.form->frameGeometry().x()).arg(s.form->frameGeometry().y())
                       .arg(s.form->frameGeometry().width()).arg(s.form->frameGeometry().height())},
        {"picRahmen", place(s.picRahmen)},  {"Picture2", place(s.Picture2)}, {"Command1", place(s.Command1)},
        {"Command7", place(s.Command7)},    {"Text5", place(s.Text5)},       {"txtDateiname", place(s.txtDateiname)},
        {"image2", place(s.image2)},
        {"drag", QStringLiteral("%1%2").arg(s.dragFeld).arg(s.dragOutline->isVisible() ? " outline" : "")},
        {"files", QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).join(QLatin1Char(' '))},
    };
    for (const auto &[name, value] : more)
        v.push_back({QLatin1String(name), value});
    QStringList off;
    for (QWidget *w : s.form->findChildren<QWidget *>())
        if (!w->isEnabled() && w->parentWidget()->isEnabled())
            off << w->metaObject()->className();
    v.push_back({QStringLiteral("disabled"), off.join(QLatin1Char(' ')) + (s.cmdDatei->menuAction()->isEnabled() ? "" : " Datei")});
    return v;
}

} // namespace

class TestWindowScenarios : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> tw;
    std::unique_ptr<QTemporaryDir> dir;
    app::BoardState &st() { return tw->st; }
    QStringList out;
    std::multimap<int, QString> atPump;
    int pumps = 0;

    QWidget *widget(const QString &w)
    {
        auto &s = st();
        const int i = w.mid(w.startsWith(QLatin1String("swatch")) ? 6 : 1).toInt();
        if (w.startsWith(QLatin1String("swatch")))
            return s.Picture1[size_t(i)]->surface();
        if (w.size() > 1 && w[1].isDigit() && (w[0] == QLatin1Char('F') || w[0] == QLatin1Char('Z')))
            return (w[0] == QLatin1Char('F') ? s.picFeld : s.picZahl)[size_t(i)]->surface();
        const std::map<QString, QWidget *> named{
            {"X", s.Command1},          {"n", s.Command12},        {"new", s.Command4},     {"open", s.Command5},
            {"save", s.Command6},       {"mischen", s.Command2},   {"vorgabe", s.Command10}, {"shuffle", s.image1},
            {"halt", s.Command8},       {"stop", s.Command3},      {"kaskade", s.chkLawine}, {"schnell", s.chkschnell},
            {"ok", s.Command9},         {"textok", s.cmdtxtFeld},  {"close", s.Command11},   {"farbe", s.Text1},
            {"stone", s.picsteinFarbe->surface()}, {"textcolour", s.pictextfarbe->surface()}, {"notes", s.Command7},
            {"back", s.image2},         {"board", s.picRahmen->surface()}, {"set", s.cmdSetzen},
            {"connect", s.cmdVerbinden}, {"play", s.cmdSpielen}, {"bar", s.VScroll1}};
        QWidget *found = named.count(w) ? named.at(w) : nullptr;
        if (!found)
            qFatal("no widget %s", qPrintable(w));
        return found;
    }
    QWidget *board() { return st().picRahmen->surface(); }
    static Qt::MouseButton button(const QString &b)
    {
        return b == QLatin1String("R") ? Qt::RightButton : b == QLatin1String("M") ? Qt::MiddleButton : Qt::LeftButton;
    }

    void act(const QString &action)
    {
        auto &s = st();
        const QStringList a = action.split(QLatin1Char(':'));
        const QString &v = a[0];
        auto num = [&](int k) { return a.value(k).toDouble(); };
        auto at = [&](int k) { return QPoint(int(num(k)), int(num(k + 1))); };
        if (v.startsWith(QLatin1Char('@'))) {
            atPump.insert({v.mid(1).toInt(), action.section(QLatin1Char(':'), 1)});
        } else if (v == QLatin1String("drag")) {
            QWidget *f = widget(QLatin1Char('F') + a[1]);
            QTest::mousePress(f, Qt::LeftButton, {}, f->rect().center() + QPoint(1, 1));
            QTest::mouseMove(board(), at(2));
            QTest::mouseRelease(board(), Qt::LeftButton, {}, at(2));
        } else if (v == QLatin1String("press") || v == QLatin1String("at") || v == QLatin1String("dbl")) {
            const QPoint p = a.size() > 3 ? at(2) : QPoint(2, 2);
            if (v == QLatin1String("dbl"))
                QTest::mouseDClick(widget(a[1]), Qt::LeftButton, {}, p);
            else if (v == QLatin1String("at"))
                QTest::mouseClick(widget(a[1]), button(a.value(4)), {}, p);
            else
                QTest::mousePress(widget(a[1]), button(a.value(4)), {}, p);
        } else if (v == QLatin1String("to")) {
            QTest::mouseMove(board(), at(1));
        } else if (v == QLatin1String("release")) {
            QTest::mouseRelease(board(), button(a.value(3)), {}, at(1));
        } else if (v == QLatin1String("lost")) {
            // Straight to the field, past the window system, which never hears of the button.
            QWidget *f = widget(QLatin1Char('F') + a[1]);
            for (auto [type, p, b] : {std::tuple{QEvent::MouseButtonPress, f->mapToGlobal(QPointF(20, 20)), Qt::LeftButton},
                                      {QEvent::MouseMove, board()->mapToGlobal(QPointF(200, 300)), Qt::NoButton}}) {
                QMouseEvent e(type, f->mapFromGlobal(p), p, b, Qt::LeftButton, {});
                QApplication::sendEvent(f, &e);
            }
        } else if (v == QLatin1String("key")) {
            const std::map<QString, Qt::Key> keys{{"left", Qt::Key_Left}, {"right", Qt::Key_Right}, {"up", Qt::Key_Up},
                                                  {"down", Qt::Key_Down}, {"a", Qt::Key_A}};
            QTest::keyClick(QApplication::focusWidget(), keys.at(a[1]));
        } else if (v == QLatin1String("menu")) {
            const std::map<QString, QAction *> items{{"new", s.cmdneu},    {"open", s.cmdLadenM}, {"save", s.cmdSpeichernM},
                                                     {"end", s.cmdEnde},   {"full", s.cmdGanz},   {"normal", s.cmdNormal},
                                                     {"hide", s.cmdNaus},  {"show", s.cmdNein},   {"info", s.cmdInfo}};
            items.at(a[1])->trigger();
        } else if (v == QLatin1String("size")) {
            s.VScroll1->setValue(a[1].toInt());
        } else if (v == QLatin1String("type")) {
            s.txtFeld->selectAll();
            QTest::keyClicks(s.txtFeld, QString(a[1]).replace(QLatin1Char('_'), QLatin1Char(' ')));
        } else if (v == QLatin1String("edges")) {
            buildBoard(s, QString(a[1]).replace(QLatin1Char(','), QLatin1Char(' ')));
        } else if (v == QLatin1String("spoil")) {
            // A sample game with a field size no game can have.
            QFile in(Source + QStringLiteral("examples/kreis.swk")), out(dir->filePath(a[1]));
            in.open(QIODevice::ReadOnly);
            out.open(QIODevice::WriteOnly);
            out.write(in.readAll().chopped(4) + " 61\r\n");
        } else if (v == QLatin1String("away")) { // another window takes the focus, and gives it back
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other) && tw->showActive());
        } else if (v == QLatin1String("quit")) {
            tw->window.close();
        } else if (v == QLatin1String("file")) {
            tw->dialog.files.push_back(a[1] == QLatin1String("-") ? std::nullopt
                                       : std::optional(a[1].startsWith(QLatin1Char('/')) ? Source + a[1].mid(1)
                                                                                         : dir->filePath(a[1])));
        } else if (v == QLatin1String("colour")) {
            const QStringList c = a[1].split(QLatin1Char(','));
            tw->dialog.colors.push_back(c.size() < 3 ? std::nullopt
                                        : std::optional(colors::rgb(c[0].toInt(), c[1].toInt(), c[2].toInt())));
        } else if (v == QLatin1String("pos")) {
            const auto *p = static_cast<const forms::PictureBox *>(widget(a[1])->parentWidget());
            out << QStringLiteral("pos %1 at pump %2: %3 %4").arg(a[1]).arg(pumps).arg(double(p->left())).arg(double(p->top()));
        } else if (v == QLatin1String("shot")) {
            screenshot(a[1]);
        } else {
            // A field at its corner, which no token covers; anything else in its middle.
            const bool field = v[0] == QLatin1Char('F') && v.size() > 1 && v[1].isDigit();
            QTest::mouseClick(widget(v), button(a.value(1)), {}, field ? QPoint(2, 2) : QPoint());
        }
    }

    void screenshot(const QString &name)
    {
        const QImage got = tw->window.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString file = Source + QStringLiteral("tests/expected/") + name + QStringLiteral(".png");
        if (qEnvironmentVariableIsSet("GSW_NEW_SHOTS"))
            got.save(qEnvironmentVariable("GSW_NEW_SHOTS") + QLatin1Char('/') + name + QStringLiteral(".png"));
        const QImage want = QImage(file).convertToFormat(QImage::Format_RGB32);
        if (got != want) {
            got.save(QDir::temp().filePath(name + QStringLiteral("-got.png")));
            out << QStringLiteral("shot %1 differs, see %2").arg(name, QDir::temp().filePath(name + "-got.png"));
        }
    }

    // Runs the scenario and returns what it printed and what it changed.
    QStringList run(const QString &script)
    {
        tw = std::make_unique<TestWindow>();
        dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(dir->path());
        if (!tw->showActive())
            return {QStringLiteral("the window does not come up")};
        const auto fresh = lasting(st(), dir->path());
        out.clear();
        atPump.clear();
        tw->pacing.onPump = [this] {
            auto &s = st();
            ++pumps;
            if (!s.cmdSetzen->isEnabled())
                tw->pacing.log.last() = s.Command2->isEnabled() ? QStringLiteral("S") : QStringLiteral("L");
            for (auto it = atPump.find(pumps); it != atPump.end() && it->first == pumps; it = atPump.erase(it))
                act(it->second);
            if (pumps > 100000) {
                s.KaskadeStopp = 1;
                s.MischenAktiv = 0;
                out << QStringLiteral("endless");
            }
        };
        for (const QString &action : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            pumps = 0;
            tw->pacing.log.clear();
            const int shown = int(tw->dialog.shown.size()), told = int(tw->messages.shown.size());
            act(action);
            for (const QString &d : tw->dialog.shown.mid(shown))
                out << QStringLiteral("dialog ") + QString(d).replace(dir->path(), QStringLiteral("~"));
            for (const QString &m : tw->messages.shown.mid(told))
                out << QStringLiteral("message ") + m;
            if (tw->pacing.log.isEmpty() || action.startsWith(QLatin1Char('@')))
                continue;
            // The log in counts, in order of first appearance: "20p 34L 4w0.2 30w0.005".
            QStringList kinds;
            std::map<QString, int> count;
            for (const QString &e : tw->pacing.log)
                if (count[e]++ == 0)
                    kinds << e;
            for (QString &k : kinds)
                k = QString::number(count[k]) + k;
            out << QStringLiteral("log %1: %2").arg(action, kinds.join(QLatin1Char(' ')));
        }
        // A property of fields or tokens that changed to one value on most of them is one
        // line, "F* pointer", followed by the ones that differ from that value.
        const Lasting now = lasting(st(), dir->path());
        std::map<QString, std::map<QString, int>> counts;
        const QRegularExpression index(QStringLiteral("^([FZ])\\d+ "));
        for (size_t k = 0; k < now.size(); ++k)
            if (fresh[k] != now[k])
                ++counts[QString(now[k].first).replace(index, QStringLiteral("\\1* "))][now[k].second];
        std::map<QString, QString> common;
        for (const auto &[name, values] : counts)
            for (const auto &[value, n] : values)
                if (n > app::FieldCount / 2)
                    common[name] = value;
        std::set<QString> shown;
        for (size_t k = 0; k < now.size(); ++k) {
            const QString star = QString(now[k].first).replace(index, QStringLiteral("\\1* "));
            const auto c = common.find(star);
            if (c != common.end() && shown.insert(star).second)
                out << star + QLatin1Char(' ') + c->second;
            if (c != common.end() ? now[k].second != c->second : fresh[k] != now[k])
                out << now[k].first + QLatin1Char(' ') + now[k].second;
        }
        return out;
    }

    // The sections of the expected file: "[name]" and the lines below it, without comments.
    static std::map<QString, QStringList> expected()
    {
        QFile f(Source + QStringLiteral("tests/expected/scenarios.expected"));
        std::map<QString, QStringList> sections;
        QString name;
        f.open(QIODevice::ReadOnly | QIODevice::Text);
        for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1Char('[')))
                name = line.mid(1).chopped(1);
            else if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                sections[name] << line;
        }
        return sections;
    }

private slots:
    void scenario_data()
    {
        QTest::addColumn<QString>("script");
        const std::pair<const char *, const char *> rows[] = {
            {"place", "drag:0:200:300 drag:1:300:300 drag:2:200:116 drag:3:300:300 drag:3:200:105 drag:3:10:300 "
                      "connect F0 F1 F2 F0 set F1 F0 key:left key:up key:up key:a shot:set F2:R drag:2:200:105"},
            {"connect", "edges:5-5,6-6,7-7 connect F5 F6 F6 F7 F7 F7 F5 F6 F7:M set play connect shot:connect F5:R dbl:F6"},
            {"play", "edges:0-1,1-2,2-3,3-4 play kaskade Z3 stop Z0 schnell Z1 Z0 Z2:R Z1:M close @11:pos:Z3 Z3"},
            {"cycle", "edges:0-1,1-2,2-3,0-3 play kaskade schnell @30:stop Z2 @25:kaskade Z0 kaskade @300:quit Z1"},
            {"shuffle", "edges:0-1 play mischen vorgabe kaskade @30:halt shuffle kaskade @50:menu:end shuffle"},
            {"arrange", "edges:0-1,1-2,2-3,3-4 play mischen mischen vorgabe connect shot:vorgabe"},
            {"guards", "edges:0-1,1-2,2-3,3-4 play kaskade schnell file:g.swk @5:Z3 @10:set @25:connect @26:new @27:open "
                       "@28:menu:new @29:mischen @30:vorgabe @31:Z1:R @32:shuffle @33:menu:save @34:save @35:play Z3"},
            {"panel", "edges:0-1,1-2,2-3 play Z1:R type:Q7 colour:0,128,128 stone colour:128,128,0 textcolour ok Z2:R "
                      "type:Neu swatch6 textok Z2:R ok Z0:R colour:- stone close F3:R colour:255,128,192 farbe F0:R "
                      "colour:- swatch0 vorgabe play Z1:R shot:play"},
            {"sketch", "edges:5-6 swatch3 press:board:200:300 to:260:300 to:260:360 release:260:360 press:board:300:400:M "
                       "to:350:420 release:350:420:M shot:sketch colour:- press:board:500:400:R release:500:400:R "
                       "colour:10,200,30 press:board:500:400:R release:500:400:R press:board:200:200 to:300:250 "
                       "release:300:250 F6 away shot:colour X"},
            {"size", "menu:new edges:5-5 size:47 size:12 n size:13 drag:5:300:300 at:bar:12:37 at:bar:12:29 "
                     "press:bar:12:15 to:100:120 release:100:120"},
            {"new", "edges:0-1,1-2 play F1:R Z0:R colour:0,128,128 stone type:Ab textok Z0:R ok connect F2 size:50 menu:new"},
            {"files", "edges:0-1,1-2 play file:spiel save file:b.SWK menu:save file:- open file:b.SWK open "
                      "file:fehlt/x.swk save file:nix.swk open spoil:k.swk file:k.swk open Z1 set menu:hide "
                      "file:spiel.swk open"},
            {"full", "menu:full back menu:full menu:full shot:full"},
            {"normal", "menu:info menu:full menu:normal menu:hide menu:show notes menu:hide"},
            {"drag", "edges:5-6 press:F6:20:20 to:250:300 press:board:250:300:R release:250:300:R "
                     "press:board:250:300:M release:250:300:M to:260:320 release:260:320 lost:0 "
                     "press:board:400:400 release:400:400 lost:0 F5:R"},
        };
        for (const auto &[name, script] : rows)
            QTest::newRow(name) << QString::fromLatin1(script);
    }
    void scenario()
    {
        QFETCH(QString, script);
        const QStringList got = run(script);
        const QStringList want = expected()[QString::fromLatin1(QTest::currentDataTag())];
        if (got != want)
            qWarning().noquote() << "\n[" + QString::fromLatin1(QTest::currentDataTag()) + "]\n" + got.join('\n');
        QCOMPARE(got, want);
    }

    // A fresh window: every line of its game and what else lasts, one line per kind.
    void startUp()
    {
        TestWindow t;
        QStringList got;
        for (auto [name, value] : lasting(t.st, QStringLiteral("/keiner"))) {
            const int k = name.mid(1).section(QLatin1Char(' '), 0, 0).toInt();
            const double v = value.mid(1).chopped(1).toDouble(), pile = name.endsWith(QLatin1String("left")) ? 12 : 32;
            if (name.contains(QRegularExpression(QStringLiteral("^F\\d+ (left|top)$"))) && v >= pile && v < pile + 8)
                value = QStringLiteral("pile");
            if (name.contains(QRegularExpression(QStringLiteral("^Z\\d+ (left|top)$"))) || name == QLatin1String("window"))
                continue;
            if (name.endsWith(QLatin1String(" text")) && value == QStringLiteral("\" %1\"").arg(k + 1))
                value = QStringLiteral("\" k+1\"");
            const QString line = QString(name).replace(QRegularExpression(QStringLiteral("^([FZ]|edge )\\d+")), QStringLiteral("\\1#"))
                                     .replace(QRegularExpression(QStringLiteral("-\\d+$")), QStringLiteral("-#"))
                + QLatin1Char(' ') + value;
            if (!got.contains(line))
                got << line;
        }
        QCOMPARE(got, expected()["start"]);
        const QObjectList pile = t.st.picRahmen->surface()->children(); // field 0 on top, 64 at the bottom
        for (int i = 0; i < app::MaxIndex; ++i)
            QVERIFY(pile.indexOf(t.st.picFeld[size_t(i)]) > pile.indexOf(t.st.picFeld[size_t(i + 1)]));
    }

    // The sample games, made by our own writer from games just started, open to boards
    // that save back to the same bytes.
    void samplesSaveBackUnchanged()
    {
        for (const QFileInfo &f : QDir(Source + QStringLiteral("examples")).entryInfoList({QStringLiteral("*.swk")})) {
            TestWindow t;
            QTemporaryDir d;
            QFile in(f.filePath()), out(d.filePath(QStringLiteral("x.swk")));
            QVERIFY(gamefile::openFrom(t.st, f.filePath()) && gamefile::saveTo(t.st, out.fileName()));
            QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::ReadOnly) && in.readAll() == out.readAll());
            QCOMPARE(checkInvariants(t.st), QString());
        }
    }

    // Regression: the last child events of a shown window once reached the start-up frame
    // watch after the board state had gone, a use after free under ASan.
    void teardownOfAShownWindow()
    {
        auto t = std::make_unique<TestWindow>();
        QVERIFY(t->showActive());
        t.reset();
    }

    // Regressions: on-screen geometry rounds halves up on both sides of zero; a hidden box
    // lays out its inner area at once.
    void boxGeometry()
    {
        forms::PictureBox box(nullptr, 1.0f);
        box.setBounds(-10.5f, 20.5f, 47, 47);
        QCOMPARE(box.geometry(), QRect(-10, 21, 47, 47));
        QCOMPARE(box.innerWidthPx(), 43);
    }

    // The common dialog over Qt's own dialogs, answered where they would be shown.
    void commonDialog()
    {
        struct Answering : forms::QtCommonDialog {
            Answering() : forms::QtCommonDialog(nullptr) {}
            std::function<bool(QDialog &)> answer;
            QString seen;
            bool exec(QDialog &d) override
            {
                const auto *f = qobject_cast<QFileDialog *>(&d);
                const auto *c = qobject_cast<QColorDialog *>(&d);
                seen = f ? QStringLiteral("%1 %2%3 %4 [%5] %6 [%7] ").arg(d.windowTitle()).arg(f->acceptMode()).arg(f->fileMode())
                               .arg(f->defaultSuffix(), f->nameFilters().join(QLatin1Char(';')), f->directory().dirName(),
                                    f->selectedFiles().value(0).section(QLatin1Char('/'), -2))
                         : d.windowTitle() + QLatin1Char(' ') + c->currentColor().name() + QLatin1Char(' ');
                seen += QString::number(f ? f->testOption(QFileDialog::DontUseNativeDialog) : c->testOption(QColorDialog::DontUseNativeDialog));
                return answer(d);
            }
        } d;
        QTemporaryDir dir;
        d.FileName = QStringLiteral("*swk");
        d.InitDir = dir.path();
        d.answer = [](QDialog &f) { return static_cast<QFileDialog &>(f).selectFile(QStringLiteral("b.swk")), true; };
        QVERIFY(d.ShowOpen());
        const QString name = QDir(dir.path()).dirName();
        QCOMPARE(d.seen, QStringLiteral("Spiel öffnen 01 swk [Spiele (*swk);Alle Dateien (*)] %1 [] 1").arg(name));
        QCOMPARE(d.FileName, dir.filePath(QStringLiteral("b.swk")));
        d.answer = [](QDialog &) { return false; }; // the last file is offered again; a cancel keeps it
        QVERIFY(!d.ShowSave());
        QCOMPARE(d.seen, QStringLiteral("Spiel speichern 10 swk [Spiele (*.swk);Alle Dateien (*)] %1 [%1/b.swk] 1").arg(name));
        QCOMPARE(d.FileName, dir.filePath(QStringLiteral("b.swk")));
        d.Color = colors::rgb(10, 20, 30);
        d.answer = [](QDialog &c) { return static_cast<QColorDialog &>(c).setCurrentColor(QColor(200, 100, 50)), true; };
        QVERIFY(d.ShowColor() && d.Color == colors::rgb(200, 100, 50));
        d.answer = [](QDialog &c) { return static_cast<QColorDialog &>(c).setCurrentColor(Qt::red), false; };
        QVERIFY(!d.ShowColor() && d.Color == colors::rgb(200, 100, 50));
        QCOMPARE(d.seen, QStringLiteral("Farbe wählen #c86432 1"));
    }

    void cleanup()
    {
        tw.reset();
        dir.reset();
    }
};

int main(int argc, char *argv[])
{
    // A screen of known size, and windows with a frame, as on a desktop.
    QTemporaryFile config;
    config.open();
    config.write(R"({"screens":[{"name":"s","x":0,"y":0,"width":1024,"height":768,"logicalDpi":96,"dpr":1}],)"
                 R"("windowFrameMargins":true})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
    QApplication app(argc, argv);
    TestWindowScenarios t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_window.moc"
