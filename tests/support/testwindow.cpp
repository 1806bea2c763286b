#include "testwindow.h"

#include "editor/editor.h"
#include "forms/numtext.h"

#include <QCoreApplication>
#include <QTest>
#include <QRegularExpression>
#include <set>

namespace testing {

void InstantPacing::doEvents()
{
    ++pumps;
    log << QStringLiteral("p");
    if (onPump)
        onPump();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void InstantPacing::wait(double seconds)
{
    waits.push_back(seconds);
    log << QStringLiteral("w%1").arg(seconds);
    m_now += seconds;
}

bool ScriptedDialog::ShowOpen()
{
    ++opens;
    presets << FileName;
    initDirs << InitDir;
    if (files.empty())
        return false;
    auto a = files.front();
    files.pop_front();
    if (!a)
        return false;
    FileName = *a;
    return true;
}

bool ScriptedDialog::ShowSave()
{
    ++saves;
    presets << FileName;
    initDirs << InitDir;
    if (files.empty())
        return false;
    auto a = files.front();
    files.pop_front();
    if (!a)
        return false;
    FileName = *a;
    return true;
}

bool ScriptedDialog::ShowColor()
{
    ++colorShows;
    if (colors.empty())
        return false;
    auto a = colors.front();
    colors.pop_front();
    if (!a)
        return false;
    Color = *a;
    return true;
}

void ScriptedMessages::information(const QString &title, const QString &text)
{
    shown.push_back({QStringLiteral("information"), title, text});
}

void ScriptedMessages::critical(const QString &title, const QString &text)
{
    shown.push_back({QStringLiteral("critical"), title, text});
}

TestWindow::TestWindow() : window(std::make_unique<app::frmSchiebwerk>(&dialog, &messages, &pacing)) {}

TestWindow::~TestWindow() { window.reset(); }

bool TestWindow::showActive()
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
}

void buildBoard(app::BoardState &st, const QString &edges, const std::vector<int> &extraFields, int columns,
                float spacing)
{
    std::set<int> fields(extraFields.begin(), extraFields.end());
    std::vector<std::pair<int, int>> pairs;
    const auto tokens = edges.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString &t : tokens) {
        const auto ab = t.split(QLatin1Char('-'));
        if (ab.size() != 2)
            continue;
        const int a = ab[0].toInt(), b = ab[1].toInt();
        fields.insert(a);
        fields.insert(b);
        pairs.emplace_back(a, b);
    }
    for (int f : fields) {
        const int k = f;
        auto *w = st.picFeld[size_t(f)];
        w->setPos(20 + float(k % columns) * spacing, 130 + float(k / columns) * spacing);
        w->setTag(QStringLiteral("1"));
    }
    for (auto [a, b] : pairs) {
        st.Kante[size_t(a)][size_t(b)] = 1;
        st.Kante[size_t(b)][size_t(a)] = 1;
    }
    editor::KantenZeichnen(st);
}

int tokenOnField(const app::BoardState &st, int field)
{
    for (int u = 0; u < app::FieldCount; ++u)
        if (st.fieldOfToken(u) == field && st.picZahl[size_t(u)]->tag() != QStringLiteral("-1"))
            return u;
    return -1;
}

QString checkInvariants(const app::BoardState &st)
{
    int modes = 0;
    for (auto *b : {st.cmdSetzen, st.cmdVerbinden, st.cmdSpielen})
        modes += b->tag() == QStringLiteral("1") ? 1 : 0;
    if (modes != 1)
        return QStringLiteral("%1 mode tags read 1").arg(modes);
    if (!st.playMode()) {
        for (int i = 0; i < app::FieldCount; ++i) {
            if (st.picZahl[size_t(i)]->visible() || st.picZahl[size_t(i)]->tag() != QStringLiteral("-1"))
                return QStringLiteral("token %1 in play outside play mode").arg(i);
            if (st.picFeld[size_t(i)]->toolTipText() != app::Frei)
                return QStringLiteral("field %1 not free outside play mode").arg(i);
        }
        return {};
    }
    const int n = st.steinzahl();
    std::set<int> occupied;
    for (int k = 0; k < app::FieldCount; ++k) {
        auto *z = st.picZahl[size_t(k)];
        if (k < n) {
            const auto f = st.fieldOfToken(k);
            if (!z->visible() || !f || !st.onBoard(*f))
                return QStringLiteral("token %1 not on a board field (tag %2)").arg(k).arg(z->tag());
            if (!occupied.insert(*f).second)
                return QStringLiteral("two tokens on field %1").arg(*f);
        } else if (z->visible() || z->tag() != QStringLiteral("-1")) {
            return QStringLiteral("token %1 beyond the count is in play").arg(k);
        }
    }
    int freeOnBoard = 0;
    for (int i = 0; i < app::FieldCount; ++i) {
        const QString tip = st.picFeld[size_t(i)]->toolTipText();
        const bool occ = occupied.count(i) > 0;
        if (occ != (tip == app::Besetzt))
            return QStringLiteral("field %1 reads %2").arg(i).arg(tip);
        if (!occ && st.onBoard(i))
            ++freeOnBoard;
    }
    if (n >= 0 && st.Steinzahl && freeOnBoard != 1)
        return QStringLiteral("%1 free board fields").arg(freeOnBoard);
    return {};
}

} // namespace testing
