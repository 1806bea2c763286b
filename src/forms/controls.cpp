#include "controls.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyleFactory>

namespace forms {

namespace {
// The field-size bar is 41 pixels high: the usual arrows and smallest thumb fill it,
// leaving the thumb no way to go. Shorter arrows and a smaller thumb give it a track.
class CompactScrollBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric m, const QStyleOption *opt, const QWidget *w) const override
    {
        if (m == PM_ScrollBarExtent)
            return 10;
        if (m == PM_ScrollBarSliderMin)
            return 7;
        return QProxyStyle::pixelMetric(m, opt, w);
    }
};
} // namespace

CommandButton::CommandButton(QWidget *parent, float unitsPerPixel) : Control<QPushButton>(parent, unitsPerPixel)
{
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::setPicture(const QIcon &icon, QSize size)
{
    setIcon(icon);
    setIconSize(size);
}

TextBox::TextBox(QWidget *parent, float unitsPerPixel) : Control<QLineEdit>(parent, unitsPerPixel) {}

void TextBox::mousePressEvent(QMouseEvent *e)
{
    m_pressed = e->button() == Qt::LeftButton;
    Control<QLineEdit>::mousePressEvent(e);
}

void TextBox::mouseReleaseEvent(QMouseEvent *e)
{
    const bool isClick = m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    m_pressed = false;
    Control<QLineEdit>::mouseReleaseEvent(e);
    if (isClick)
        emit clicked();
}

NotesBox::NotesBox(QWidget *parent, float unitsPerPixel) : Control<QPlainTextEdit>(parent, unitsPerPixel)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(false);
}

Label::Label(QWidget *parent, float unitsPerPixel) : Control<QLabel>(parent, unitsPerPixel) {}

CheckBox::CheckBox(QWidget *parent, float unitsPerPixel) : Control<QCheckBox>(parent, unitsPerPixel) {}

ScrollBar::ScrollBar(QWidget *parent, float unitsPerPixel) : Control<QScrollBar>(parent, unitsPerPixel)
{
    setOrientation(Qt::Vertical);
    // Over the application's own style, so the bar looks like the rest of the window.
    auto *style = new CompactScrollBarStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(this);
    setStyle(style);
}

namespace {

// Whether a family is installed under exactly that name, rather than reached through
// the system's substitutions.
bool installed(const QString &family)
{
    static const QStringList all = QFontDatabase::families();
    return all.contains(family, Qt::CaseInsensitive);
}

} // namespace

QFont makeFont(const QString &family, double pointSize, bool bold)
{
    QFont f;
    QStringList families{family};
    if (family.contains(QLatin1String("Times")))
        families << QStringLiteral("Liberation Serif") << QStringLiteral("serif");
    else
        families << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << QStringLiteral("sans-serif");
    // Qt takes the first installed family of the list, but for a missing one it first
    // asks the system for that family's fallbacks, anew for every size and weight. The
    // families ahead of the first installed one are left out, so the same face comes
    // without that search.
    const auto first = std::find_if(families.cbegin(), families.cend(), installed);
    if (first != families.cend())
        families.erase(families.cbegin(), first);
    f.setFamilies(families);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace forms
