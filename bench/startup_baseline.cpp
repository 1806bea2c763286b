// The yardstick for start-up: a bare Qt window of the game's size and title, so the
// probe can tell what Qt's own start costs and what the game adds to it.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Graphen-Schiebwerk"));
    w.resize(689, 680); // the game's outer size with its menu bar
    w.show();
    return QApplication::exec();
}
