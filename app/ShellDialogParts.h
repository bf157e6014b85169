#pragma once
// Hands the main window the dialogs of this folder: the local setup, the firmware upgrade and the
// PTZ pads (MainWindowParts), and the arrange bar for its video window (CArrangeDlg::Make).

#include "app/MainWindowSeams.h"

class CClientDlg;

// Fills runLocalSetup, createFirmwareUpgrade, showPtzDialog and closePtzDialogs.
void AddShellDialogParts(MainWindowParts& parts);

// The main window's PTZ move message (0x5239) with direction 4 or 5 (the control pad's centre
// button): pressing it opens the PTZ keypad.
void OnPtzKeypadButton(CClientDlg& main, WPARAM pressed, LPARAM direction);
