#pragma once
// The program's parts for the main window: the media subsystem's video window (with its arrange
// bar) and microphone sender, the remote setup frame, the remote and local search frames, the local
// setup, the firmware upgrade and the PTZ pads. Tests make their main
// windows with the same parts.

#include "app/MainWindowSeams.h"

#include <functional>

class CClientDlg;

// `main` gives the main window the video window is made for (it exists when the factory runs).
MainWindowParts MakeStandardParts(std::function<CClientDlg*()> main);
