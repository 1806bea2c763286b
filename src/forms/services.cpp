#include "services.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <chrono>
#include <thread>

namespace forms {

QString QtCommonDialog::nameFilter() const
{
    // A preset such as "*swk" becomes the dialog's filter.
    const QString preset = QFileInfo(fileName).fileName();
    QStringList filters;
    if (preset.contains(QLatin1Char('*')))
        filters << QCoreApplication::translate("CommonDialog", "Spiele (%1)").arg(preset);
    else
        filters << QCoreApplication::translate("CommonDialog", "Spiele (*.%1)").arg(defaultSuffix);
    filters << QCoreApplication::translate("CommonDialog", "Alle Dateien (*)");
    return filters.join(QStringLiteral(";;"));
}

bool QtCommonDialog::exec(QDialog &dlg) { return dlg.exec() == QDialog::Accepted; }

bool QtCommonDialog::showFile(bool save)
{
    QFileDialog dlg(m_owner);
    // Qt's own dialog, chosen before anything else is set: it speaks the program's
    // German on every desktop.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setWindowTitle(save ? QCoreApplication::translate("CommonDialog", "Spiel speichern")
                            : QCoreApplication::translate("CommonDialog", "Spiel öffnen"));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(defaultSuffix);
    dlg.setNameFilters(nameFilter().split(QStringLiteral(";;")));
    // The last chosen file, where there is one; otherwise the start folder.
    if (!fileName.isEmpty() && !fileName.contains(QLatin1Char('*'))) {
        const QFileInfo last(fileName);
        dlg.setDirectory(last.absolutePath());
        dlg.selectFile(last.fileName());
    } else if (!initialDir.isEmpty()) {
        dlg.setDirectory(initialDir);
    }
    if (!exec(dlg) || dlg.selectedFiles().isEmpty())
        return false;
    fileName = dlg.selectedFiles().constFirst();
    return true;
}

bool QtCommonDialog::showOpen() { return showFile(false); }

bool QtCommonDialog::showSave() { return showFile(true); }

bool QtCommonDialog::showColour()
{
    QColorDialog dlg(colors::toQColor(colour), m_owner);
    dlg.setWindowTitle(QCoreApplication::translate("CommonDialog", "Farbe wählen"));
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    if (!exec(dlg))
        return false;
    // What the user accepted; a cancel keeps the previous colour.
    colour = colors::fromQColor(dlg.currentColor());
    return true;
}

void QtMessageBoxes::information(const QString &title, const QString &text)
{
    QMessageBox::information(m_owner, title, text, QMessageBox::Ok);
}

void QtMessageBoxes::critical(const QString &title, const QString &text)
{
    QMessageBox::critical(m_owner, title, text, QMessageBox::Ok);
}

RealPacing::RealPacing() { m_clock.start(); }

void RealPacing::pumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

double RealPacing::now() { return double(m_clock.nsecsElapsed()) * 1e-9; }

void RealPacing::wait(double seconds)
{
    if (!(seconds > 0))
        return;
    const double until = now() + seconds;
    // Sleep; an early wake-up sleeps again for the rest.
    for (double left = seconds; left > 0; left = until - now())
        std::this_thread::sleep_for(std::chrono::duration<double>(left));
}

} // namespace forms
