#include "app/app.h"
#include "app/commandline.h"
#include "app/main_window.h"

#include <QApplication>
#include <QTimer>

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
    app::setUpApplication();
    app::MainWindow w;
    w.show();
    // Once the window is up, so that a failure message stands over the fresh board.
    if (!start.game.isEmpty())
        QTimer::singleShot(0, &w, [&w, game = start.game] { app::openGivenGame(w.state(), game); });
    return QApplication::exec();
}
