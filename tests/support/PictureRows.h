#pragma once
// Row operations on a full-size picture, written plainly one step at a time: the reference that the
// tests hold the video drawing and the picture publishing against. Pictures of 480 and 576 lines
// hold two fields one above the other (see platform/video/VideoPicture.h).

#include "platform/base/WinTypes.h"

// Copies a top-down RGB24 picture from src into dst in bottom-up (DIB) row order: row i goes to row
// height - 1 - i. For 480 and 576 lines the stacked fields are interleaved at the same time: row i
// of the first half goes to row height - 1 - 2i, row j of the second half to row height - 2 - 2j.
// src and dst hold width * height * 3 bytes each and must not overlap.
void CopyRowsForDib(const BYTE* src, BYTE* dst, int width, int height);

// Line doubling (mode 0: every even row is copied onto the odd row after it) or blending (mode 1:
// every odd row becomes the byte-wise average of its two neighbours), in place. rgb: RGB24 rows of
// width * 3 bytes; otherwise planar 4:2:0, the Y plane and then both chroma planes (rows of
// width / 2 bytes). Other modes change nothing.
void DeinterlaceRows(BYTE* picture, int width, int height, bool rgb, int mode);

// For a planar 4:2:0 picture of 480 or 576 lines: keeps the first field and doubles its lines in
// place, in every plane (each Y row of the upper half becomes two rows, each chroma row of the
// upper half of its plane two chroma rows). Other heights are left as they are.
void DoubleFirstField(BYTE* yuv, int width, int height);
