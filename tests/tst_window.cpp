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
//   press:W:X:Y[:B] to:X:Y release:X:Y[:B] at:W:X:Y dbl:W   the mouse by hand
//   lost:F        a drag of field F whose release never arrives
//   key:K (key:ctrl+shift+K) menu:M size:N type:TEXT edges:0-1,1-2 away (to another window and back) quit
//   zug           print the enabled entries of the moves menu (and the title, if not the caption)
//   file:NAME|- colour:R,G,B|-    the next answer of the file or colour dialog
//   spoil:NAME    a sample game with field size 61 under that name
//   @N:ACTION     the action at the Nth pump of the next long operation
//   pos:W shot:NAME               print a widget's place; compare a screenshot

#include "support.h"

#include "app/app.h"
#include "app/pictures.h"
#include "gamefile/gamefile.h"
#include "play/play.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <map>
#include <set>

using namespace testing;

namespace {

const QString Source = GSW_SOURCE_DIR "/";

QString colour(colors::Color c)
{
    const QColor q = colors::toQColor(c);
    return colors::isSystem(c) ? QString("system %1").arg(c & 0xFF) : QString("%1,%2,%3").arg(q.red()).arg(q.green()).arg(q.blue());
}

template <class W> QString place(const W *w)
{
    return QString("%1 %2 %3 %4%5").arg(w->left()).arg(w->top()).arg(w->width()).arg(w->height()).arg(w->visible() ? "" : " hidden");
}

using Lasting = std::vector<std::pair<QString, QString>>;

// Every line of the saved game by name, in file order, and what else lasts on the window.
Lasting lasting(const view::BoardState &s, const QString &dir)
{
    Lasting v;
    const QList<QByteArray> lines = gamefile::write(gamefile::collect(s.game)).value_or("").split('\n');
    const char *items[] = {"F left", "F top", "F tip", "F tag", "Z left", "Z top", "Z tip", "Z tag", "Z colour",
                           "F pointer", "Z visible", "Z text"};
    const char *tail[] = {"setModeButton tag", "connectModeButton tag", "playModeButton tag", "setModeButton colour", "connectModeButton colour",
                          "playModeButton colour", "tokenCount", "field size"};
    for (int l = 0, i = 0, k = -780; l < 5013; ++l, i = l / 12, ++k) {
        QString name = l < 780 ? QString(items[l % 12]).insert(1, QString::number(i))
                               : k < 4225 ? QString("edge %1-%2").arg(k / 65).arg(k % 65) : tail[k - 4225];
        v.push_back({name, '"' + QString::fromLatin1(lines[l].chopped(1)) + '"'});
        if (l < 780 && l % 12 == 11) {
            v.push_back({QString("F%1 colour").arg(i), colour(s.fields[size_t(i)]->backColor())});
            v.push_back({QString("F%1 drawn").arg(i), QString::number(s.fields[size_t(i)]->hasDrawing())});
            v.push_back({QString("Z%1 text colour").arg(i), colour(s.tokens[size_t(i)]->foreColor())});
        }
    }
    QStringList off; // disabled on their own account
    for (QWidget *w : s.window->findChildren<QWidget *>())
        if (!w->isEnabled() && w->parentWidget()->isEnabled())
            off << w->metaObject()->className();
    const QRect frame = s.window->frameGeometry();
    const std::pair<const char *, QString> more[] = {
        {"readout", s.statusLine->text().replace(dir, "~")},
        {"notes", s.notes->text().left(24) + (s.notes->visible() ? "" : " (hidden)")},
        {"lamps", colour(s.setModeLamp->fillColor()) + " / " + colour(s.connectModeLamp->fillColor()) + " / " + colour(s.playModeLamp->fillColor())},
        {"current colour", colour(s.swatches[0]->backColor())},
        {"panel", place(s.tokenPanel) + " token " + QString::number(s.panelToken)},
        {"panel swatches", colour(s.tokenColourSwatch->backColor()) + " / " + colour(s.textColourSwatch->backColor())},
        {"panel text", s.tokenTextBox->text() + " in " + colour(s.tokenTextBox->foreColor()) + " on " + colour(s.tokenTextBox->backColor())},
        {"board colour", colour(s.board->backColor()) + " / " + colour(s.stepNumberBox->backColor()) + " / "
                             + colour(s.stepNumbers[0]->backColor()) + " " + colour(s.stepNumbers[2]->backColor())},
        {"selection", QString("%1 %2").arg(s.pendingField).arg(s.pendingFieldChosen)},
        {"Kaskade, schnell", QString("%1 %2").arg(s.cascadeOption->value()).arg(s.fastOption->value())},
        {"window", QString("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())},
        {"board", place(s.board)}, {"dividerBar", place(s.dividerBar)}, {"eraseButton", place(s.eraseButton)},
        {"clearNotesButton", place(s.clearNotesButton)}, {"notes", place(s.notes)}, {"statusLine", place(s.statusLine)},
        {"normalViewButton", place(s.normalViewButton)}, {"drag", QString::number(s.draggedField) + (s.dragOutline->isVisible() ? " outline" : "")},
        {"files", QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).join(' ')},
        {"disabled", off.join(' ') + (s.fileMenu->menuAction()->isEnabled() ? "" : " Datei")}};
    for (const auto &[name, value] : more)
        v.push_back({name, value});
    return v;
}

// The sections of the expected file: "[name]" and the lines below it, without comments.
std::map<QString, QStringList> expected()
{
    QFile f(Source + "tests/expected/scenarios.expected");
    f.open(QIODevice::ReadOnly | QIODevice::Text);
    std::map<QString, QStringList> sections;
    QString name;
    for (const QString &line : QString::fromUtf8(f.readAll()).split('\n')) {
        if (line.startsWith('['))
            name = line.mid(1).chopped(1);
        else if (!line.isEmpty() && !line.startsWith('#'))
            sections[name] << line;
    }
    return sections;
}

} // namespace

class TestWindowScenarios : public QObject {
    Q_OBJECT

    std::unique_ptr<TestWindow> tw;
    std::unique_ptr<QTemporaryDir> dir;
    view::BoardState &st() { return tw->st; }
    QWidget *board() { return st().board->surface(); }
    QStringList out;
    std::multimap<int, QString> atPump;
    int pumps = 0;

    QWidget *widget(const QString &w)
    {
        auto &s = st();
        const int i = w.mid(w.startsWith("swatch") ? 6 : 1).toInt();
        if (w.startsWith("swatch") || ((w[0] == 'F' || w[0] == 'Z') && w.size() > 1 && w[1].isDigit()))
            return (w[0] == 's' ? s.swatches[size_t(i)] : (w[0] == 'F' ? s.fields : s.tokens)[size_t(i)]);
        const std::map<QString, QWidget *> named{
            {"X", s.eraseButton}, {"n", s.normalSizeButton}, {"new", s.newButton}, {"open", s.openButton}, {"save", s.saveButton},
            {"mischen", s.scrambleButton}, {"vorgabe", s.targetButton}, {"shuffle", s.shuffleButton}, {"halt", s.stopShuffleButton},
            {"stop", s.stopCascadeButton}, {"kaskade", s.cascadeOption}, {"schnell", s.fastOption}, {"ok", s.colourOkButton},
            {"textok", s.textOkButton}, {"close", s.closePanelButton}, {"farbe", s.colourHeading}, {"stone", s.tokenColourSwatch},
            {"textcolour", s.textColourSwatch}, {"notes", s.clearNotesButton}, {"back", s.normalViewButton}, {"board", board()},
            {"set", s.setModeButton}, {"connect", s.connectModeButton}, {"play", s.playModeButton}, {"bar", s.fieldSizeBar}};
        return named.at(w);
    }
    // A point given from a box's inner corner, where the box itself receives it.
    static QPoint inside(QWidget *w, QPoint p)
    {
        const auto *box = qobject_cast<forms::PictureBox *>(w);
        return box ? p + QPoint(box->borderWidth(), box->borderWidth()) : p;
    }
    static Qt::MouseButton button(const QString &b) { return b == "R" ? Qt::RightButton : b == "M" ? Qt::MiddleButton : Qt::LeftButton; }

    void act(const QString &action)
    {
        auto &s = st();
        const QStringList a = action.split(':');
        const QString &v = a[0];
        const auto pt = [&](int k) { return QPoint(a.value(k).toInt(), a.value(k + 1).toInt()); };
        if (v.startsWith('@')) {
            atPump.insert({v.mid(1).toInt(), action.section(':', 1)});
        } else if (v == "drag") {
            QWidget *f = widget('F' + a[1]);
            const int bw = static_cast<forms::PictureBox *>(f)->borderWidth();
            QTest::mousePress(f, Qt::LeftButton, {}, inside(f, f->rect().adjusted(0, 0, -2 * bw, -2 * bw).center() + QPoint(1, 1)));
            QTest::mouseMove(board(), pt(2));
            QTest::mouseRelease(board(), Qt::LeftButton, {}, pt(2));
        } else if (v == "press") {
            QTest::mousePress(widget(a[1]), button(a.value(4)), {}, inside(widget(a[1]), pt(2)));
        } else if (v == "at") {
            QTest::mouseClick(widget(a[1]), button(a.value(4)), {}, inside(widget(a[1]), pt(2)));
        } else if (v == "dbl") {
            QTest::mouseDClick(widget(a[1]), Qt::LeftButton, {}, inside(widget(a[1]), QPoint(2, 2)));
        } else if (v == "to") {
            QTest::mouseMove(board(), pt(1));
        } else if (v == "release") {
            QTest::mouseRelease(board(), button(a.value(3)), {}, pt(1));
        } else if (v == "lost") { // straight to the field, past the window system, which never hears of the button
            QWidget *f = widget('F' + a[1]);
            for (auto [type, p, b] : {std::tuple{QEvent::MouseButtonPress, f->mapToGlobal(QPointF(inside(f, {20, 20}))), Qt::LeftButton},
                                      {QEvent::MouseMove, board()->mapToGlobal(QPointF(200, 300)), Qt::NoButton}}) {
                QMouseEvent e(type, f->mapFromGlobal(p), p, b, Qt::LeftButton, {});
                QApplication::sendEvent(f, &e);
            }
        } else if (v == "key") {
            const std::map<QString, Qt::Key> keys{{"left", Qt::Key_Left}, {"right", Qt::Key_Right}, {"up", Qt::Key_Up}, {"a", Qt::Key_A},
                                                  {"esc", Qt::Key_Escape}, {"h", Qt::Key_H}, {"l", Qt::Key_L}, {"y", Qt::Key_Y}, {"z", Qt::Key_Z}};
            Qt::KeyboardModifiers mods;
            for (const QString &m : a[1].split('+').mid(0, a[1].count('+')))
                mods |= m == "ctrl" ? Qt::ControlModifier : Qt::ShiftModifier;
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &tw->window, keys.at(a[1].section('+', -1)), mods);
        } else if (v == "menu") {
            const std::map<QString, QAction *> items{{"new", s.newAction}, {"open", s.openAction}, {"save", s.saveAction},
                {"end", s.quitAction}, {"full", s.fullScreenAction}, {"normal", s.normalViewAction}, {"hide", s.hideNotesAction}, {"show", s.showNotesAction},
                {"info", s.infoAction}, {"undo", s.undoAction}, {"tipp", s.hintAction}, {"loesen", s.solveAction},
                {"pruefen", s.solvabilityAction}, {"erfolg", s.reportSuccessAction}};
            items.at(a[1])->trigger();
        } else if (v == "size") {
            s.fieldSizeBar->setValue(a[1].toInt());
        } else if (v == "type") {
            s.tokenTextBox->selectAll();
            QTest::keyClicks(s.tokenTextBox, a[1]);
        } else if (v == "edges") {
            buildBoard(s, QString(a[1]).replace(',', ' '));
        } else if (v == "spoil") {
            QFile in(Source + "examples/kreis.swk"), spoilt(dir->filePath(a[1]));
            QVERIFY(in.open(QIODevice::ReadOnly) && spoilt.open(QIODevice::WriteOnly) && spoilt.write(in.readAll().chopped(4) + " 61\r\n"));
        } else if (v == "away") {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other) && tw->showActive());
        } else if (v == "quit") {
            tw->window.close();
        } else if (v == "file") {
            tw->dialog.files.push_back(a[1] == "-" ? std::nullopt : std::optional(dir->filePath(a[1])));
        } else if (v == "colour") {
            const QStringList c = a[1].split(',');
            tw->dialog.colors.push_back(c.size() < 3 ? std::nullopt : std::optional(colors::rgb(c[0].toInt(), c[1].toInt(), c[2].toInt())));
        } else if (v == "zug") {
            QStringList on;
            for (const QAction *m : s.moveMenu->actions())
                if (m->isEnabled() && !m->isSeparator())
                    on << m->text();
            const QString title = tw->window.windowTitle();
            out << QString("zug%1%2: %3").arg(pumps ? QString(" at pump %1").arg(pumps) : "",
                                               title == "Graphen-Schiebwerk" ? "" : " (" + title + ")", on.join(", "));
        } else if (v == "pos") {
            const auto *p = static_cast<const forms::PictureBox *>(widget(a[1]));
            out << QString("pos %1 at pump %2: %3 %4").arg(a[1]).arg(pumps).arg(p->left()).arg(p->top());
        } else if (v == "shot") {
            const QImage got = tw->window.client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            if (got != QImage(Source + "tests/expected/" + a[1] + ".png").convertToFormat(QImage::Format_RGB32)
                && got.save(QDir::temp().filePath("gsw-" + a[1] + ".png")))
                out << QString("shot %1 differs, see %2").arg(a[1], QDir::temp().filePath("gsw-" + a[1] + ".png"));
        } else { // a field at its corner, which no token covers; anything else in its middle
            QTest::mouseClick(widget(v), button(a.value(1)), {}, v[0] == 'F' && v[1].isDigit() ? QPoint(2, 2) : QPoint());
        }
    }

    // Runs the scenario and returns what it printed and what it changed.
    QStringList run(const QString &script)
    {
        tw = std::make_unique<TestWindow>();
        dir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(dir->path());
        if (!tw->showActive())
            return {"the window does not come up"};
        const Lasting fresh = lasting(st(), dir->path());
        out.clear();
        atPump.clear();
        tw->pacing.onPump = [this] {
            if (!st().setModeButton->isEnabled())
                tw->pacing.log.last() = st().scrambleButton->isEnabled() ? "S" : "L";
            for (auto it = atPump.find(++pumps); it != atPump.end() && it->first == pumps; it = atPump.erase(it))
                act(it->second);
            if (pumps > 100000) {
                out << "endless";
                st().cascadeStopRequested = 1;
                st().shuffleActive = 0;
            }
        };
        for (const QString &action : script.split(' ', Qt::SkipEmptyParts)) {
            pumps = 0;
            tw->pacing.log.clear();
            const qsizetype shown = tw->dialog.shown.size(), told = tw->messages.shown.size();
            act(action);
            for (const QString &d : tw->dialog.shown.mid(shown))
                out << "dialog " + QString(d).replace(dir->path(), "~");
            for (const QString &m : tw->messages.shown.mid(told))
                out << "message " + m;
            QStringList kinds; // the log in counts, in order of first appearance: "20p 34L 4w0.2 30w0.005"
            std::map<QString, int> count;
            for (const QString &e : tw->pacing.log)
                if (count[e]++ == 0)
                    kinds << e;
            for (QString &k : kinds)
                k = QString::number(count[k]) + k;
            if (!kinds.isEmpty() && !action.startsWith('@'))
                out << QString("log %1: %2").arg(action, kinds.join(' '));
        }
        // What changed to one value on most fields (tokens) is one line, "F* pointer",
        // followed by the fields whose value differs from it.
        const Lasting now = lasting(st(), dir->path());
        const QRegularExpression index("^([FZ])\\d+ ");
        std::map<QString, std::map<QString, int>> counts;
        std::map<QString, QString> common;
        std::set<QString> starred;
        for (size_t k = 0; k < now.size(); ++k)
            if (fresh[k] != now[k] && ++counts[QString(now[k].first).replace(index, "\\1* ")][now[k].second] > 32)
                common[QString(now[k].first).replace(index, "\\1* ")] = now[k].second;
        for (size_t k = 0; k < now.size(); ++k) {
            const QString star = QString(now[k].first).replace(index, "\\1* ");
            const auto c = common.find(star);
            if (c != common.end() && starred.insert(star).second)
                out << star + ' ' + c->second;
            if (c != common.end() ? now[k].second != c->second : fresh[k] != now[k])
                out << now[k].first + ' ' + now[k].second;
        }
        return out;
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
            {"sketch", "edges:5-6 swatch3 press:board:200:300 to:260:300 to:260:360 release:260:360 "
                       "press:board:300:400:M to:350:420 release:350:420:M shot:sketch colour:- press:board:500:400:R "
                       "release:500:400:R colour:10,200,30 press:board:500:400:R release:500:400:R "
                       "press:board:200:200 to:300:250 release:300:250 F6 away shot:colour X"},
            {"size", "menu:new edges:5-5 size:47 size:12 n size:12 drag:5:300:300 at:bar:12:37 at:bar:12:29 "
                     "press:bar:12:15 to:100:120 release:100:120"},
            {"new", "edges:0-1,1-2 play F1:R Z0:R colour:0,128,128 stone type:Ab textok Z0:R ok connect F2 size:50 menu:new"},
            {"files", "edges:0-1,1-2 play file:spiel save file:b.SWK menu:save file:- open file:b.SWK open "
                      "file:fehlt/x.swk save file:nix.swk open spoil:k.swk file:k.swk open Z1 set menu:hide file:spiel.swk open"},
            {"full", "menu:full back menu:full menu:full shot:full"},
            {"normal", "menu:info file:- open menu:full menu:normal menu:hide menu:show notes menu:hide"},
            {"zugmenu", "edges:0-1,1-2,2-3,3-4 play kaskade @5:zug @25:zug @25:key:esc Z3 zug key:esc Z1 @1:zug @1:key:esc menu:tipp "
                        "@30:zug @30:key:esc menu:loesen zug key:ctrl+z pos:Z0 pos:Z3 key:ctrl+y pos:Z0 set zug play zug"},
            {"solved", "edges:0-1 play @3:zug @3:key:esc shuffle Z0 Z0 Z0 mischen Z0 Z0 @3:key:esc shuffle @5:zug key:ctrl+l Z0 Z0 "
                       "@3:key:esc shuffle key:ctrl+h @3:key:esc shuffle menu:undo Z0 Z0 menu:erfolg @3:key:esc shuffle Z0"},
            {"solvability", "play menu:pruefen edges:0-0 play menu:pruefen edges:1-1,2-2,3-3,0-1,1-2,2-0 play menu:pruefen edges:2-3 play Z2 "
                            "key:ctrl+shift+l menu:new edges:0-1,1-2,2-3,4-5,5-6,6-7,8-9,9-10,10-11,12-13,13-14,14-15,0-4,1-5,2-6,3-7,4-8,"
                            "5-9,6-10,7-11,8-12,9-13,10-14,11-15 play menu:pruefen menu:new"},
            {"drag", "edges:5-6 press:F6:20:20 to:250:300 shot:outline press:board:250:300:R release:250:300:R press:board:250:300:M "
                     "release:250:300:M to:260:320 release:260:320 lost:0 press:board:400:400 release:400:400 lost:0 F5:R"},
        };
        for (const auto &[name, script] : rows)
            QTest::newRow(name) << QString::fromUtf8(script);
    }
    void scenario()
    {
        QFETCH(QString, script);
        const QStringList got = run(script), want = expected()[QTest::currentDataTag()];
        if (got != want)
            qWarning().noquote() << QString("\n[%1]\n").arg(QTest::currentDataTag()) + got.join('\n');
        QCOMPARE(got, want);
    }

    // A fresh window: every line of its game and what else lasts, one line per kind.
    void startUp()
    {
        TestWindow t;
        QStringList got;
        for (auto [name, value] : lasting(t.st, "/keiner")) {
            const double v = value.mid(1, value.size() - 2).toDouble(), pile = name.endsWith("left") ? 12 : 32;
            if (name.contains(QRegularExpression("^Z\\d+ (left|top)$")) || name == "window")
                continue;
            if (name.contains(QRegularExpression("^F\\d+ (left|top)$")) && v >= pile && v < pile + 8)
                value = "pile";
            if (name.endsWith(" text") && value == QString("\" %1\"").arg(name.mid(1).section(' ', 0, 0).toInt() + 1))
                value = "\" k+1\"";
            name.replace(QRegularExpression("^([FZ]|edge )\\d+"), "\\1#").replace(QRegularExpression("-\\d+$"), "-#");
            if (!got.contains(name + ' ' + value))
                got << name + ' ' + value;
        }
        QCOMPARE(got, expected()["start"]);
        QCOMPARE(t.window.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
        // The pictures built into the program are their PNG files, pixel for pixel.
        const QString art = QStringLiteral(GSW_SOURCE_DIR "/resources/");
        const QStringList files = QDir(art).entryList({QStringLiteral("*.png")});
        QCOMPARE(size_t(files.size()), app::pictures::storedCount);
        for (const QString &f : files)
            QCOMPARE(app::pictures::image(QLatin1StringView(f.toLatin1())), QImage(art + f));
        const QObjectList pile = t.st.board->surface()->children(); // field 0 on top, 64 at the bottom
        for (int i = 0; i < model::MaxIndex; ++i)
            QVERIFY(pile.indexOf(t.st.fields[size_t(i)]) > pile.indexOf(t.st.fields[size_t(i + 1)]));
        QCOMPARE(t.st.fields[7]->cursor().shape(), Qt::SizeAllCursor); // the pointers of set and connect mode
        app::enterConnectMode(t.st);
        QCOMPARE(t.st.fields[7]->cursor().shape(), Qt::ArrowCursor);
    }

    // The sample games, made by our own writer from games just started, open to boards
    // that save back to the same bytes.
    void samplesSaveBackUnchanged()
    {
        for (const QFileInfo &f : QDir(Source + "examples").entryInfoList({"*.swk"})) {
            TestWindow t;
            QTemporaryDir d;
            QFile in(f.filePath()), saved(d.filePath("x.swk"));
            QVERIFY(app::openFrom(t.st, f.filePath()) && app::saveTo(t.st, saved.fileName()));
            QVERIFY(in.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly) && in.readAll() == saved.readAll());
            QCOMPARE(checkInvariants(t.st), QString());
        }
    }

    // In play a field that loses the focus keeps what is drawn on it (the target's
    // digits); entering play again starts without the old target. Tab in the notes is
    // a character, not a way out.
    void playKeepsItsDrawingsAndStartsAfresh()
    {
        TestWindow t;
        QVERIFY(t.showActive());
        buildBoard(t.st, "0-1 1-2 2-3");
        app::enterPlayMode(t.st);
        t.st.targetButton->click();
        QVERIFY(t.st.game.targetNumbering && t.st.fields[0]->hasDrawing());
        t.st.fields[0]->setFocus(Qt::MouseFocusReason);
        t.st.fields[1]->setFocus(Qt::MouseFocusReason);
        QVERIFY(t.st.fields[1]->hasFocus() && t.st.fields[0]->hasDrawing());
        app::enterPlayMode(t.st);
        QVERIFY(!t.st.game.targetNumbering);
        t.st.notes->setText({});
        t.st.notes->setFocus();
        QTest::keyClick(t.st.notes, Qt::Key_Tab);
        QCOMPARE(t.st.notes->text(), QStringLiteral("\t"));
    }

    // Regression: the last child events of a shown window once reached the start-up frame
    // watch after the board state had gone, a use after free under ASan.
    void teardownOfAShownWindow()
    {
        auto t = std::make_unique<TestWindow>();
        QVERIFY(t->showActive());
        t.reset();
    }

    // The window's own pacing: a clicked move runs on the real event loop; a wait sleeps.
    void realPacing()
    {
        ScriptedDialog dialog;
        ScriptedMessages messages;
        app::MainWindow w(&dialog, &messages);
        buildBoard(w.state(), "0-1");
        app::enterPlayMode(w.state());
        play::onTokenPressed(w.state(), 0, 1, 0, 0, 0);
        QCOMPARE(w.state().tokens[0]->tag(), QString("1"));
        forms::RealPacing pacing;
        const double start = pacing.now();
        pacing.wait(0.02);
        QVERIFY(pacing.now() - start >= 0.02);
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
                seen = f ? QString("%1 %2%3%4 %5 [%6] %7 [%8]").arg(d.windowTitle()).arg(f->acceptMode()).arg(f->fileMode())
                               .arg(f->testOption(QFileDialog::DontUseNativeDialog)).arg(f->defaultSuffix(), f->nameFilters().join(';'),
                                    f->directory().dirName(), f->selectedFiles().value(0).section('/', -2))
                         : QString("%1 %2 %3").arg(d.windowTitle(), c->currentColor().name()).arg(c->testOption(QColorDialog::DontUseNativeDialog));
                return answer(d);
            }
        } d;
        QTemporaryDir dir;
        const QString name = QDir(dir.path()).dirName();
        d.fileName = "*swk";
        d.initialDir = dir.path();
        d.answer = [](QDialog &f) { return static_cast<QFileDialog &>(f).selectFile("b.swk"), true; };
        QVERIFY(d.showOpen() && d.fileName == dir.filePath("b.swk"));
        QCOMPARE(d.seen, QString("Spiel öffnen 011 swk [Spiele (*swk);Alle Dateien (*)] %1 []").arg(name));
        d.answer = [](QDialog &) { return false; }; // the last file is offered again; a cancel keeps it
        QVERIFY(!d.showSave() && d.fileName == dir.filePath("b.swk"));
        QCOMPARE(d.seen, QString("Spiel speichern 101 swk [Spiele (*.swk);Alle Dateien (*)] %1 [%1/b.swk]").arg(name));
        d.colour = colors::rgb(10, 20, 30);
        d.answer = [](QDialog &c) { return static_cast<QColorDialog &>(c).setCurrentColor(QColor(200, 100, 50)), true; };
        QVERIFY(d.showColour() && d.colour == colors::rgb(200, 100, 50));
        d.answer = [](QDialog &c) { return static_cast<QColorDialog &>(c).setCurrentColor(Qt::red), false; };
        QVERIFY(!d.showColour() && d.colour == colors::rgb(200, 100, 50));
        QCOMPARE(d.seen, QString("Farbe wählen #c86432 1"));
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
