#pragma once
// Start-up, new board, the work modes, the view commands and the notes field.

#include "board_state.h"

namespace app {

// Start-up: runs once after the widgets have their laid-out properties.
void Form_Load(BoardState &st);
// "neu" and the toolbar button Command4.
void cmdneu_Click(BoardState &st);
void cmdInfo_Click(BoardState &st);

// The three work modes.
void cmdSetzen_Click(BoardState &st);
void cmdVerbinden_Click(BoardState &st);
void cmdSpielen_Click(BoardState &st);

// Views and notes.
void cmdGanz_Click(BoardState &st);
void cmdNormal_Click(BoardState &st);
void image2_Click(BoardState &st);
void cmdNaus_Click(BoardState &st);
void cmdNein_Click(BoardState &st);
void Command7_Click(BoardState &st);
// Start-up records the window before it has a frame; this takes Normalmass 0..3
// again from the framed window when it first appears.
void watchStartupFrame(BoardState &st);

// The help texts the work modes write into the notes field.
extern const QString HilfeSetzen;
extern const QString HilfeVerbinden;
extern const QString HilfeSpielen;

} // namespace app
