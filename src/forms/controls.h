#pragma once
// The plain controls of the window, each a Qt widget with the game's properties.

#include "ctl.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

namespace forms {

class CommandButton : public Control<QPushButton> {
    Q_OBJECT
public:
    CommandButton(QWidget *parent, float unitsPerPixel);
    // A graphical button shows a picture in the middle of its face.
    void setPicture(const QIcon &icon, QSize size);
};

class TextBox : public Control<QLineEdit> {
    Q_OBJECT
public:
    TextBox(QWidget *parent, float unitsPerPixel);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    bool m_pressed = false;
};

class NotesBox : public Control<QPlainTextEdit> {
    Q_OBJECT
public:
    NotesBox(QWidget *parent, float unitsPerPixel);
    QString text() const { return toPlainText(); }
    void setText(const QString &t) { setPlainText(t); }
};

class Label : public Control<QLabel> {
    Q_OBJECT
public:
    Label(QWidget *parent, float unitsPerPixel);
};

class CheckBox : public Control<QCheckBox> {
    Q_OBJECT
public:
    CheckBox(QWidget *parent, float unitsPerPixel);
    // 1 when checked, 0 otherwise.
    int value() const { return isChecked() ? 1 : 0; }
};

class ScrollBar : public Control<QScrollBar> {
    Q_OBJECT
public:
    ScrollBar(QWidget *parent, float unitsPerPixel);
};

// A font by its design name; the fallbacks name metric-compatible free fonts.
QFont makeFont(const QString &family, double pointSize, bool bold = false);

} // namespace forms
