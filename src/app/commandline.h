#pragma once
// The command line, "graphen-schiebwerk [DATEI.swk]". It is read before the
// application object exists, so help, version and a wrong option need no display,
// open no window and speak German without any translation file.

#include "view/board_state.h"

#include <QString>
#include <QStringList>

namespace app {

using view::BoardState;
using view::Services;

// What the command line asks for.
struct StartRequest {
    bool startWindow = true;
    int exitCode = 0; // when no window starts
    QString out;      // for standard output
    QString err;      // for standard error
    QString game;     // a game to open once the window is up; empty for none
};

// `arguments` as the program received them, its own name first.
StartRequest readCommandLine(const QStringList &arguments);

// Opens a game named on the command line exactly as "Datei" > "öffnen" does when
// the user chooses that file in the dialog (which reports full paths).
void openGivenGame(BoardState &st, const QString &path);

} // namespace app
