#include "snapshot.h"

#include <QScrollBar>

namespace testing {

namespace {

QString num(double v) { return QString::number(v, 'g', 17); }

template <class W>
void control(BoardSnapshot &s, const QString &name, const W *w)
{
    auto &v = s.values;
    v[name + QStringLiteral(".left")] = num(w->left());
    v[name + QStringLiteral(".top")] = num(w->top());
    v[name + QStringLiteral(".width")] = num(w->width());
    v[name + QStringLiteral(".height")] = num(w->height());
    v[name + QStringLiteral(".tag")] = w->tag();
    v[name + QStringLiteral(".tip")] = w->toolTipText();
    v[name + QStringLiteral(".back")] = QString::number(w->backColor());
    v[name + QStringLiteral(".fore")] = QString::number(w->foreColor());
    v[name + QStringLiteral(".visible")] = QString::number(w->visible());
    v[name + QStringLiteral(".enabled")] = QString::number(w->isEnabled());
}

void picture(BoardSnapshot &s, const QString &name, const forms::PictureBox *p)
{
    control(s, name, p);
    auto &v = s.values;
    v[name + QStringLiteral(".pointer")] = QString::number(p->mousePointer());
    v[name + QStringLiteral(".scale")] = QStringLiteral("%1 %2 %3 %4")
                                             .arg(num(p->scaleLeft()), num(p->scaleTop()), num(p->scaleWidth()),
                                                  num(p->scaleHeight()));
    v[name + QStringLiteral(".font")] = p->font().toString();
    v[name + QStringLiteral(".drawn")] = QString::number(p->hasDrawing());
    s.pictures[name] = p->drawing();
}

} // namespace

BoardSnapshot snapshot(const app::BoardState &st)
{
    BoardSnapshot s;
    auto &v = s.values;
    std::map<const QObject *, QString> names;
    for (int i = 0; i < app::FieldCount; ++i) {
        const QString f = QStringLiteral("picFeld(%1)").arg(i, 2, 10, QLatin1Char('0'));
        const QString z = QStringLiteral("picZahl(%1)").arg(i, 2, 10, QLatin1Char('0'));
        picture(s, f, st.picFeld[size_t(i)]);
        picture(s, z, st.picZahl[size_t(i)]);
        names[st.picFeld[size_t(i)]] = f;
        names[st.picZahl[size_t(i)]] = z;
        v[QStringLiteral("Steintext(%1)").arg(i, 2, 10, QLatin1Char('0'))] = st.Steintext[size_t(i)];
        v[QStringLiteral("Feldnummer(%1)").arg(i, 2, 10, QLatin1Char('0'))] = QString::number(st.Feldnummer[size_t(i)]);
    }
    picture(s, QStringLiteral("picRahmen"), st.picRahmen);
    picture(s, QStringLiteral("Picture5"), st.Picture5);
    picture(s, QStringLiteral("picEigenschaften"), st.picEigenschaften);
    for (int i = 0; i < 9; ++i)
        picture(s, QStringLiteral("Picture1(%1)").arg(i), st.Picture1[size_t(i)]);
    for (int i = 0; i < 3; ++i)
        control(s, QStringLiteral("Label1(%1)").arg(i), st.Label1[size_t(i)]);

    // Stacking order on the board, back to front.
    QStringList order;
    for (const QObject *o : st.picRahmen->surface()->children()) {
        const auto it = names.find(o);
        order << (it == names.end() ? QStringLiteral("-") : it->second);
    }
    v[QStringLiteral("z-order")] = order.join(QLatin1Char(' '));

    for (int a = 0; a < app::FieldCount; ++a) {
        QStringList row;
        for (int b = 0; b < app::FieldCount; ++b)
            row << QString::number(st.Kante[size_t(a)][size_t(b)]);
        v[QStringLiteral("Kante(%1)").arg(a, 2, 10, QLatin1Char('0'))] = row.join(QLatin1Char(' '));
    }

    control(s, QStringLiteral("cmdSetzen"), st.cmdSetzen);
    control(s, QStringLiteral("cmdVerbinden"), st.cmdVerbinden);
    control(s, QStringLiteral("cmdSpielen"), st.cmdSpielen);
    v[QStringLiteral("shpSetzen")] = QString::number(st.shpSetzen->fillColor());
    v[QStringLiteral("shpVerbinden")] = QString::number(st.shpVerbinden->fillColor());
    v[QStringLiteral("shpSpielen")] = QString::number(st.shpSpielen->fillColor());
    v[QStringLiteral("Steinzahl")] = st.Steinzahl ? QString::number(*st.Steinzahl) : QStringLiteral("empty");
    v[QStringLiteral("Feld1")] = QString::number(st.Feld1);
    v[QStringLiteral("Feld1Gewaehlt")] = QString::number(st.Feld1Gewaehlt);
    v[QStringLiteral("VScroll1")] = QString::number(st.VScroll1->value());
    v[QStringLiteral("Text5")] = st.Text5->text();
    v[QStringLiteral("txtDateiname")] = st.txtDateiname->text();
    v[QStringLiteral("chkLawine")] = QString::number(st.chkLawine->value());
    v[QStringLiteral("chkschnell")] = QString::number(st.chkschnell->value());
    return s;
}

QString firstDifference(const BoardSnapshot &before, const BoardSnapshot &after, const QStringList &ignore)
{
    auto ignored = [&](const QString &name) {
        for (const QString &p : ignore)
            if (name.startsWith(p))
                return true;
        return false;
    };
    for (const auto &[name, value] : before.values) {
        if (ignored(name))
            continue;
        const auto it = after.values.find(name);
        const QString now = it == after.values.end() ? QStringLiteral("<missing>") : it->second;
        if (now != value)
            return QStringLiteral("%1: %2 -> %3").arg(name, value.left(200), now.left(200));
    }
    for (const auto &[name, image] : before.pictures) {
        if (ignored(name))
            continue;
        const auto it = after.pictures.find(name);
        if (it == after.pictures.end() || it->second != image)
            return QStringLiteral("%1: drawing changed").arg(name);
    }
    return {};
}

} // namespace testing
