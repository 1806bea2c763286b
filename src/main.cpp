#include "app/commandline.h"
#include "app/main_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const app::StartRequest start = app::readCommandLine(arguments);
    std::fputs(start.out.toLocal8Bit().constData(), stdout);
    std::fputs(start.err.toLocal8Bit().constData(), stderr);
    if (!start.startWindow)
        return start.exitCode;

    QApplication a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Graphen-Schiebwerk"));
    // One look on every platform; colours given to buttons and boxes show as set.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The standard dialogs and message boxes speak German.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);

    app::MainWindow w;
    w.show();
    // Once the window is up, so that a failure message stands over the fresh board.
    if (!start.game.isEmpty())
        QTimer::singleShot(0, &w, [&w, game = start.game] { app::openGivenGame(w.state(), game); });
    return QApplication::exec();
}
