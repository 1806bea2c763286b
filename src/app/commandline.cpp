#include "commandline.h"

#include "app.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace app {

namespace {

const QString Program = QStringLiteral("graphen-schiebwerk");

const QString Usage = QStringLiteral("Aufruf: graphen-schiebwerk [Optionen] [DATEI.swk]\n");

const QString Help = Usage + QStringLiteral(
    "\n"
    "Graphen-Schiebwerk: ein Schiebepuzzle auf einem selbst gebauten Spielbrett.\n"
    "Mit DATEI.swk öffnet das Spiel beim Start diese Datei, wie \u201EDatei\u201C >\n"
    "\u201Eöffnen\u201C es täte.\n"
    "\n"
    "Optionen:\n"
    "  -h, --help       zeigt diese Hilfe und endet\n"
    "  -v, --version    zeigt die Version und endet\n");

StartRequest refuse(const QString &why)
{
    StartRequest r;
    r.startWindow = false;
    r.exitCode = 2;
    r.err = Program + QStringLiteral(": ") + why + QLatin1Char('\n') + Usage
            + QStringLiteral("Mehr dazu: graphen-schiebwerk --help\n");
    return r;
}

} // namespace

StartRequest readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's own options ("-style Fusion") are single-dash words.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    // Those the application object takes out of the arguments itself: accepted here
    // so that they reach it, and not listed in the help.
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style",
                             "stylesheet", "reverse", "widgetcount"}) {
        const bool flag = qstrcmp(name, "reverse") == 0 || qstrcmp(name, "widgetcount") == 0;
        QCommandLineOption qt(QString::fromLatin1(name), QString(), flag ? QString() : QStringLiteral("x"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            // Named as typed, dashes and all.
            QString typed = unknown.constFirst();
            for (const QString &a : arguments.mid(1)) {
                const QString name = a.section(QLatin1Char('='), 0, 0);
                if (name == QLatin1Char('-') + typed || name == QStringLiteral("--") + typed) {
                    typed = name;
                    break;
                }
            }
            return refuse(QStringLiteral("unbekannte Option \u201E%1\u201C").arg(typed));
        }
        return refuse(QStringLiteral("eine Option hat einen Wert zu wenig oder zu viel"));
    }

    StartRequest r;
    if (parser.isSet(help) || parser.isSet(version)) {
        r.startWindow = false;
        r.out = parser.isSet(help) ? Help
                                   : QStringLiteral("Graphen-Schiebwerk, Version %1\n").arg(QStringLiteral(GSW_VERSION));
        return r;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refuse(QStringLiteral("nur eine Datei lässt sich öffnen"));
    if (!files.isEmpty())
        r.game = files.constFirst();
    return r;
}

void openGivenGame(BoardState &st, const QString &path)
{
    openChosen(st, QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

} // namespace app
