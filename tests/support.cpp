#include "support.h"

#include "editor/editor.h"
#include "forms/numtext.h"

#include <set>

namespace testing {

void InstantPacing::pumpEvents()
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
    const QString dir = initialDir == QDir::currentPath() ? QString() : QStringLiteral(" in ") + initialDir;
    shown << (QLatin1String(kind) + QLatin1Char(' ') + fileName + dir).trimmed();
    const auto answer = files.empty() ? std::nullopt : files.front();
    if (!files.empty())
        files.pop_front();
    if (answer)
        fileName = *answer;
    return answer.has_value();
}

bool ScriptedDialog::showColour()
{
    shown << QStringLiteral("colour");
    const auto answer = colors.empty() ? std::nullopt : colors.front();
    if (!colors.empty())
        colors.pop_front();
    if (answer)
        colour = *answer;
    return answer.has_value();
}

bool TestWindow::showActive()
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void buildBoard(view::BoardState &st, const QString &edges)
{
    for (const QString &pair : edges.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int a = pair.section(QLatin1Char('-'), 0, 0).toInt(), b = pair.section(QLatin1Char('-'), 1).toInt();
        for (int k : {a, b}) {
            model::Field &f = st.game.fields[size_t(k)];
            f.left = float(60 + 48 * (k % 12));
            f.top = float(130 + 48 * (k / 12));
            f.tag = 1;
            st.showField(k);
        }
        st.game.edges[size_t(a)][size_t(b)] = st.game.edges[size_t(b)][size_t(a)] = a != b;
    }
    editor::redrawEdges(st);
}

QString checkInvariants(const view::BoardState &st)
{
    int modes = 0;
    for (auto *b : {st.setModeButton, st.connectModeButton, st.playModeButton})
        modes += b->tag() == QLatin1String("1");
    if (modes != 1)
        return QStringLiteral("%1 mode tags read 1").arg(modes);
    const int n = st.inPlayMode() ? st.game.tokenCountOrZero() : 0;
    std::set<int> occupied;
    for (int k = 0; k < model::FieldCount; ++k) {
        const auto *z = st.tokens[size_t(k)];
        const auto f = st.game.fieldOfToken(k);
        if (k >= n && (z->visible() || z->tag() != QLatin1String("-1")))
            return QStringLiteral("token %1 in play beyond the count %2").arg(k).arg(n);
        if (k < n && (!z->visible() || !f || !st.onBoard(*f) || !occupied.insert(*f).second))
            return QStringLiteral("token %1 not alone on a board field (tag %2)").arg(k).arg(z->tag());
    }
    int freeOnBoard = 0;
    for (int i = 0; i < model::FieldCount; ++i) {
        const bool occ = occupied.count(i) > 0;
        if (occ != (st.fields[size_t(i)]->toolTipText() == model::OccupiedTip))
            return QStringLiteral("field %1 reads %2").arg(i).arg(st.fields[size_t(i)]->toolTipText());
        freeOnBoard += !occ && st.onBoard(i);
    }
    if (n > 0 && freeOnBoard != 1)
        return QStringLiteral("%1 free board fields").arg(freeOnBoard);
    return viewShowsModel(st);
}

QString viewShowsModel(const view::BoardState &st)
{
    const forms::CommandButton *modes[3] = {st.setModeButton, st.connectModeButton, st.playModeButton};
    for (size_t m = 0; m < 3; ++m)
        if (modes[m]->tag() != numtext::tagText(st.game.modeTags[m]) || modes[m]->backColor() != st.game.modeColours[m])
            return QStringLiteral("mode button %1 shows tag %2").arg(m).arg(modes[m]->tag());
    for (size_t i = 0; i < size_t(model::FieldCount); ++i) {
        const model::Field &m = st.game.fields[i];
        const forms::PictureBox *f = st.fields[i];
        if (f->tag() != numtext::tagText(m.tag) || f->toolTipText() != m.tip || f->backColor() != m.colour || f->mousePointer() != m.pointer
            || QRectF(f->left(), f->top(), f->width(), f->height()) != QRectF(m.left, m.top, m.width, m.height))
            return QStringLiteral("field %1 shows other than the model").arg(i);
        const model::Token &t = st.game.tokens[i];
        const forms::PictureBox *z = st.tokens[i];
        if (z->tag() != numtext::tagText(t.tag) || z->toolTipText() != t.tip || z->backColor() != t.colour || z->foreColor() != t.textColour
            || z->visible() != t.visible || QRectF(z->left(), z->top(), z->width(), z->height()) != QRectF(t.left, t.top, t.width, t.height))
            return QStringLiteral("token %1 shows other than the model").arg(i);
    }
    return {};
}

} // namespace testing
