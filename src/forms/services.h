#pragma once
// What the game needs from the desktop beyond its widgets: the common dialog, message
// boxes, pacing of animations and the random generator. The program uses the real
// ones; tests put in doubles that answer from a script and run instantly.

#include "colors.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdint>

class QDialog;
class QWidget;

namespace forms {

// The common dialog component: file open and save and the colour dialog.
class CommonDialog {
public:
    virtual ~CommonDialog() = default;
    QString fileName;   // preset before a file dialog, the chosen path after it
    QString initialDir;    // where a file dialog starts
    QString defaultSuffix = QStringLiteral("swk");
    colors::Color colour = 0; // the colour chosen last

    // Each returns false when the user cancelled; fileName or colour then keep their values.
    virtual bool showOpen() = 0;
    virtual bool showSave() = 0;
    virtual bool showColour() = 0;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void information(const QString &title, const QString &text) = 0;
    virtual void critical(const QString &title, const QString &text) = 0;
};

// Pacing of the long operations: let pending events run, and wait without
// processing events. A wait sleeps, it never spins.
class Pacing {
public:
    virtual ~Pacing() = default;
    virtual void pumpEvents() = 0;
    virtual double now() = 0;              // seconds on a monotonic clock
    virtual void wait(double seconds) = 0; // counted from the moment of the call
};

// The real ones, over Qt's dialogs, message boxes, event loop and clock.
class QtCommonDialog : public CommonDialog {
public:
    explicit QtCommonDialog(QWidget *owner) : m_owner(owner) {}
    bool showOpen() override;
    bool showSave() override;
    bool showColour() override;

protected:
    // Shows the prepared dialog modally; true when the user accepted it. Tests answer
    // here instead, so no dialog ever opens.
    virtual bool exec(QDialog &dlg);

private:
    bool showFile(bool save);
    QString nameFilter() const;
    QWidget *m_owner;
};

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget *owner) : m_owner(owner) {}
    void information(const QString &title, const QString &text) override;
    void critical(const QString &title, const QString &text) override;

private:
    QWidget *m_owner;
};

class RealPacing : public Pacing {
public:
    RealPacing();
    void pumpEvents() override;
    double now() override;
    void wait(double seconds) override;

private:
    QElapsedTimer m_clock;
};

} // namespace forms
