#pragma once
// Game files: the model to and from ".swk" files.
//
// Whatever can go wrong with a file is found before the model is touched, so a failed
// load leaves the game as it was, and a save replaces the target only once the whole
// new file is written. The window's handlers (dialogs, messages, what the board shows)
// sit above this in the window shell.

#include "format.h"
#include "model/game.h"

namespace gamefile {

// The messages of the two failure paths.
inline const QString SaveFailedTitle = QStringLiteral("Eingabeproblem");
inline const QString SaveFailedText = QStringLiteral("Speichern abgebrochen!");
inline const QString LoadFailedTitle = QStringLiteral("Fehler");
inline const QString LoadFailedText = QStringLiteral("Ungültiger x Dateiname!");

// The one ending games have; the comparison respects letter case, so "spiel.SWK" is
// not a game file name.
inline const QString Ending = QStringLiteral(".swk");
inline bool hasEnding(const QString &name) { return name.endsWith(Ending, Qt::CaseSensitive); }

// The stored part of the model.
Game collect(const model::Game &m);
// Puts a checked game into the model as a load does: the field size first, then every
// field and token, the edges, the modes and the token count.
void apply(model::Game &m, const Game &g);

// Writes the model to `path`; false when it cannot be written (or holds what a file
// cannot carry), and then an existing file is untouched.
bool saveTo(const model::Game &m, const QString &path);
// Reads and checks the game at `path`; nothing when it cannot be read or is no game.
std::optional<Game> readFrom(const QString &path);

// The sample games of an installed program whose executable lies in `programDir`,
// or an empty string when there are none (a run from the build folder).
QString installedSamples(const QString &programDir);

} // namespace gamefile
