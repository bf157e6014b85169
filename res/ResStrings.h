#pragma once
// Texts and bitmaps of the program's resource library (CResLibrary::Current). Every window reaches
// its texts through these; with no library the texts are empty and the bitmaps null.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <QImage>

void LoadResString(CString& out, UINT id);
CString LoadResString(UINT id);
// The same with one blank in front of the loaded text.
void LoadResStringPrefixed(CString& out, UINT id);
CString LoadResStringPrefixed(UINT id);
QImage LoadResBitmap(UINT id);
