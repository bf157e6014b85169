#pragma once
// Window icons (CWnd::SetIcon), made from bitmaps of the drawing layer.

#include "platform/gdi/GdiTypes.h"
#include "platform/window/WinUser.h"

#include <QIcon>

// A new icon showing the bitmap; null for an unknown bitmap. UI thread.
HICON CreateIconFromBitmap(HBITMAP bitmap);
BOOL DestroyIcon(HICON icon);
// The picture of an icon (a null icon for an unknown handle), for the window layer.
QIcon IconImage(HICON icon);
