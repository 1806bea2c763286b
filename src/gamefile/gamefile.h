#pragma once
// Game files: saving and opening ".swk" games.
//
// The handlers are thin: they take the game from the widgets into a gamefile::Game
// (model.h) or put a checked one onto them. Whatever can go wrong with a file is
// found before the board is touched, so a failed load leaves the game as it was,
// and a save replaces the target only once the whole new file is written.

#include "app/board_state.h"
#include "model.h"

namespace gamefile {

using app::BoardState;

// "Datei" > "speichern" and saveButton.
void saveGame(BoardState &st);
// "Datei" > "öffnen" and openButton.
void openGame(BoardState &st);

// The messages of the two failure paths.
inline const QString SaveFailedTitle = QStringLiteral("Eingabeproblem");
inline const QString SaveFailedText = QStringLiteral("Speichern abgebrochen!");
inline const QString LoadFailedTitle = QStringLiteral("Fehler");
inline const QString LoadFailedText = QStringLiteral("Ungültiger x Dateiname!");

// The game as the widgets and variables hold it now.
Game collect(const BoardState &st);
// Puts a checked game onto the board in the order of a load, then runs the erase
// button and the play-mode button as their clicks do.
void apply(BoardState &st, const Game &g);

// The part of the handlers after the dialog: write the board to `path`, or read
// `path` and put it on the board. Both show the failure message themselves and
// report whether they succeeded.
bool saveTo(BoardState &st, const QString &path);
bool openFrom(BoardState &st, const QString &path);

} // namespace gamefile
