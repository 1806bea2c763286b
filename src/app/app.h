#pragma once
// Start-up, new board, the work modes, the view commands and the notes field.

#include "view/board_state.h"

namespace app {

using view::BoardState;
using view::Services;
using model::FieldCount;
using model::MaxIndex;
using model::FreeTip;
using model::OccupiedTip;

// The application's name, look and language, set once before the window: Qt's Fusion
// style on every platform, so colours given to buttons and boxes show as set, and
// Qt's own dialogs and message boxes in German.
void setUpApplication();
// Start-up: runs once after the widgets have their laid-out properties.
void startUp(BoardState &st);
// "neu" and the toolbar button newButton.
void newBoard(BoardState &st);
void showInfo(BoardState &st);

// The three work modes.
void enterSetMode(BoardState &st);
void enterConnectMode(BoardState &st);
void enterPlayMode(BoardState &st);

// Views and notes.
void enterFullScreenView(BoardState &st);
void enterNormalView(BoardState &st);
void onNormalViewButtonClicked(BoardState &st);
void hideNotes(BoardState &st);
void showNotes(BoardState &st);
void clearNotes(BoardState &st);
// Start-up records the window before it has a frame; this takes the window's place
// and size in normalGeometry again from the framed window when it first appears.
void watchStartupFrame(BoardState &st);

// Games in files. "Datei" > "speichern" / "öffnen" and their toolbar buttons.
void saveGame(BoardState &st);
void openGame(BoardState &st);
// "öffnen" from the moment the user has chosen `name` in the dialog: the dialog keeps
// the name, the file name line shows it, and only a name ending in ".swk" is read.
// The command line opens its game through here too, so both behave alike.
void openChosen(BoardState &st, const QString &name);
// Writes the game to `path`, or reads `path` and puts it on the board; both show the
// failure message themselves and report whether they succeeded.
bool saveTo(BoardState &st, const QString &path);
bool openFrom(BoardState &st, const QString &path);

// The help texts the work modes write into the notes field.
extern const QString SetModeHelp;
extern const QString ConnectModeHelp;
extern const QString PlayModeHelp;

} // namespace app
