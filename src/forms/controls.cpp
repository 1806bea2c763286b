#include "controls.h"

#include <QMouseEvent>

namespace forms {

CommandButton::CommandButton(QWidget *parent, float unitsPerPixel) : Ctl<QPushButton>(parent, unitsPerPixel)
{
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
}

void CommandButton::setPicture(const QIcon &icon, QSize size)
{
    setIcon(icon);
    setIconSize(size);
}

TextBox::TextBox(QWidget *parent, float unitsPerPixel) : Ctl<QLineEdit>(parent, unitsPerPixel) {}

void TextBox::mousePressEvent(QMouseEvent *e)
{
    m_pressed = e->button() == Qt::LeftButton;
    Ctl<QLineEdit>::mousePressEvent(e);
}

void TextBox::mouseReleaseEvent(QMouseEvent *e)
{
    const bool clicked = m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    m_pressed = false;
    Ctl<QLineEdit>::mouseReleaseEvent(e);
    if (clicked)
        emit click();
}

NotesBox::NotesBox(QWidget *parent, float unitsPerPixel) : Ctl<QPlainTextEdit>(parent, unitsPerPixel)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(false);
}

Label::Label(QWidget *parent, float unitsPerPixel) : Ctl<QLabel>(parent, unitsPerPixel) {}

CheckBox::CheckBox(QWidget *parent, float unitsPerPixel) : Ctl<QCheckBox>(parent, unitsPerPixel) {}

ScrollBar::ScrollBar(QWidget *parent, float unitsPerPixel) : Ctl<QScrollBar>(parent, unitsPerPixel)
{
    setOrientation(Qt::Vertical);
}

QFont makeFont(const QString &family, double pointSize, bool bold)
{
    QFont f;
    QStringList families{family};
    if (family.contains(QLatin1String("Times")))
        families << QStringLiteral("Liberation Serif") << QStringLiteral("serif");
    else
        families << QStringLiteral("Liberation Sans") << QStringLiteral("Arial") << QStringLiteral("sans-serif");
    f.setFamilies(families);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

} // namespace forms
