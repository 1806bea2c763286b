#include "widgets.h"

#include "pictures.h"

#include <QIcon>
#include <type_traits>

namespace app::widgets {

using namespace forms;
using colors::rgb;

namespace {

constexpr float Twips = TwipsPerPixel;

template <class T>
T *create(QWidget *parent, Units units, const Rect &r)
{
    if (units == Units::Board) {
        auto *c = new T(parent, 1.0f);
        c->setBounds(r.l / Twips, r.t / Twips, r.w / Twips, r.h / Twips);
        return c;
    }
    auto *c = new T(parent, Twips);
    c->setBounds(r.l, r.t, r.w, r.h);
    return c;
}

QString text(const char *s) { return QString::fromUtf8(s); }

void headingStyle(TextBox *t, const QString &text)
{
    t->setText(text);
    t->setFont(makeFont(QStringLiteral("Microsoft Sans Serif"), 8.25));
    t->setBackColor(rgb(255, 255, 255));
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignCenter);
    t->setFocusPolicy(Qt::ClickFocus);
    t->setCursor(Qt::ArrowCursor);
    t->setTextMargins(0, 0, 0, 0);
}

void hintStyle(TextBox *t, const QString &text)
{
    t->setText(text);
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::ClickFocus);
    t->setCursor(Qt::ArrowCursor);
    t->setTextMargins(0, 0, 0, 0);
}

template <class T>
void apply(T *c, const Look &k)
{
    if constexpr (std::is_same_v<T, TextBox>) {
        if (k.style == Style::Heading)
            return headingStyle(c, text(k.text));
        if (k.style == Style::Hint)
            return hintStyle(c, text(k.text));
    }
    if constexpr (!std::is_same_v<T, PictureBox>) {
        if (k.text)
            c->setText(text(k.text));
    }
    if (k.back)
        c->setBackColor(*k.back);
    if (k.fore)
        c->setForeColor(*k.fore);
    if (k.font)
        c->setFont(makeFont(text(k.font), k.points, k.bold));
    if (k.tip) // an empty tip clears it
        c->setToolTipText(*k.tip ? text(k.tip) : QString());
    if constexpr (std::is_same_v<T, CommandButton>) {
        if (k.picture.name)
            setPicture(c, k.picture);
    }
    if constexpr (std::is_same_v<T, PictureBox>) {
        if (k.borderless)
            c->setBorder(PictureBox::Border::None);
        if (k.twipScale)
            c->setTwipScale();
    }
}

template <class T>
T *make(QWidget *parent, Units units, const Rect &at, const Look &look)
{
    T *c = create<T>(parent, units, at);
    apply(c, look);
    return c;
}

} // namespace

void build(BoardState &st, QWidget *parent, Units units, std::span<const Row> rows)
{
    for (const Row &row : rows) {
        std::visit(
            [&](auto member) {
                using T = std::remove_pointer_t<std::remove_reference_t<decltype(st.*member)>>;
                st.*member = make<T>(parent, units, row.at, row.look);
            },
            row.slot);
    }
}

PictureBox *pictureBox(QWidget *parent, Units units, const Rect &at, const Look &look)
{
    return make<PictureBox>(parent, units, at, look);
}

Label *label(QWidget *parent, Units units, const Rect &at, const Look &look)
{
    return make<Label>(parent, units, at, look);
}

Shape *shape(QWidget *parent, Shape::Kind kind, const Rect &at)
{
    auto *s = new Shape(parent, Twips, kind);
    s->setBounds(at.l, at.t, at.w, at.h);
    return s;
}

void setPicture(CommandButton *b, const Picture &picture)
{
    const QIcon icon = picture.pair ? pictures::pairIcon(QLatin1StringView(picture.name))
                                    : pictures::icon(QLatin1StringView(picture.name));
    const QSize natural = picture.size;
    const QSize room(std::max(8, b->QWidget::width() - 6), std::max(8, b->QWidget::height() - 6));
    QSize fit = natural;
    if (natural.width() > room.width() || natural.height() > room.height())
        fit = natural.scaled(room, Qt::KeepAspectRatio);
    b->setPicture(icon, fit);
}

} // namespace app::widgets
