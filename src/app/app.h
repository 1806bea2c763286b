#pragma once
// Start-up, new board, the work modes, the view commands and the notes field.

#include "board_state.h"

namespace app {

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

// The help texts the work modes write into the notes field.
extern const QString SetModeHelp;
extern const QString ConnectModeHelp;
extern const QString PlayModeHelp;

} // namespace app
