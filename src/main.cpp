#include "app/main_window.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char *argv[])
{
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
    return QApplication::exec();
}
