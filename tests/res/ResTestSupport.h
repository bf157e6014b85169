#pragma once
// Shared by the resource tests: the built library, loaded once, and a GUI application for fonts.

#include "res/ResLibrary.h"

#include <QImage>

#include <string>

namespace restest {

// <build>/bin/libKeloRes.so, from KELO_BIN_DIR.
std::string LibraryPath();
// The library, loaded from LibraryPath() on first use; the test fails when it cannot be loaded.
const CResLibrary& Library();
// Creates the (offscreen) GUI application on first use; font metrics need one.
void EnsureGuiApplication();
// Cell `cell` of a strip whose cells are `cellWidth` wide.
QImage Cell(const QImage& strip, int cellWidth, int cell);

} // namespace restest
