#include "support.h"

#include "editor/editor.h"

#include <set>

namespace testing {

void InstantPacing::doEvents()
{
    ++pumps;
    log << QStringLiteral("p");
    if (onPump)
        onPump();
    QCoreApplication::processEvents();
}

void InstantPacing::wait(double seconds)
{
    log << QStringLiteral("w%1").arg(seconds);
    clock += seconds;
}

bool ScriptedDialog::file(const char *kind)
{
    const QString dir = InitDir == QDir::currentPath() ? QString() : QStringLiteral(" in ") + InitDir;
    shown << (QLatin1String(kind) + QLatin1Char(' ') + FileName + dir).trimmed();
    const auto answer = files.empty() ? std::nullopt : files.front();
    if (!files.empty())
        files.pop_front();
    if (answer)
        FileName = *answer;
    return answer.has_value();
}

bool ScriptedDialog::ShowColor()
{
    shown << QStringLiteral("colour");
    const auto answer = colors.empty() ? std::nullopt : colors.front();
    if (!colors.empty())
        colors.pop_front();
    if (answer)
        Color = *answer;
    return answer.has_value();
}

bool TestWindow::showActive()
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void buildBoard(app::BoardState &st, const QString &edges)
{
    for (const QString &pair : edges.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int a = pair.section(QLatin1Char('-'), 0, 0).toInt(), b = pair.section(QLatin1Char('-'), 1).toInt();
        for (int k : {a, b}) {
            st.picFeld[size_t(k)]->setPos(float(60 + 48 * (k % 12)), float(130 + 48 * (k / 12)));
            st.picFeld[size_t(k)]->setTag(QStringLiteral("1"));
        }
        st.Kante[size_t(a)][size_t(b)] = st.Kante[size_t(b)][size_t(a)] = a != b;
    }
    editor::KantenZeichnen(st);
}

QString checkInvariants(const app::BoardState &st)
{
    int modes = 0;
    for (auto *b : {st.cmdSetzen, st.cmdVerbinden, st.cmdSpielen})
        modes += b->tag() == QLatin1String("1");
    if (modes != 1)
        return QStringLiteral("%1 mode tags read 1").arg(modes);
    const int n = st.playMode() ? st.steinzahl() : 0;
    std::set<int> occupied;
    for (int k = 0; k < app::FieldCount; ++k) {
        const auto *z = st.picZahl[size_t(k)];
        const auto f = st.fieldOfToken(k);
        if (k >= n && (z->visible() || z->tag() != QLatin1String("-1")))
            return QStringLiteral("token %1 in play beyond the count %2").arg(k).arg(n);
        if (k < n && (!z->visible() || !f || !st.onBoard(*f) || !occupied.insert(*f).second))
            return QStringLiteral("token %1 not alone on a board field (tag %2)").arg(k).arg(z->tag());
    }
    int freeOnBoard = 0;
    for (int i = 0; i < app::FieldCount; ++i) {
        const bool occ = occupied.count(i) > 0;
        if (occ != (st.picFeld[size_t(i)]->toolTipText() == app::Besetzt))
            return QStringLiteral("field %1 reads %2").arg(i).arg(st.picFeld[size_t(i)]->toolTipText());
        freeOnBoard += !occ && st.onBoard(i);
    }
    if (n > 0 && freeOnBoard != 1)
        return QStringLiteral("%1 free board fields").arg(freeOnBoard);
    return {};
}

} // namespace testing
