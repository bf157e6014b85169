#pragma once
// Window icons: one icon holds a picture per size, and the desktop picks the size it shows.

#include "platform/window/WinUser.h"

#include <QIcon>
#include <QImage>

#include <vector>

// A new icon of these pictures (32-bit with alpha); null when there is none. UI thread.
HICON CreateIconFromImages(const std::vector<QImage>& pictures);
// Frees an icon; windows showing it keep their picture. FALSE for an unknown icon.
BOOL DestroyIcon(HICON icon);
// The pictures of an icon (a null icon for an unknown handle), for the window layer.
QIcon IconImage(HICON icon);
