#pragma once
// The C interface of the resource library libKeloRes.so: texts and skin bitmaps by numeric id. The
// program loads the library by name at start-up and looks these functions up; nothing here keeps
// state, so every call may come from any thread.

#include <stddef.h>
#include <stdint.h>

#define KELORES_ABI_VERSION 2u

// Results of KeloRes_GetBitmap.
#define KELORES_OK 1
#define KELORES_MISSING 0
#define KELORES_BUFFER_TOO_SMALL (-1)
#define KELORES_DAMAGED (-2)

#if defined(__GNUC__)
#define KELORES_API __attribute__((visibility("default")))
#else
#define KELORES_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// KELORES_ABI_VERSION of the library.
KELORES_API unsigned KeloRes_AbiVersion(void);

// The text of an id, UTF-8 and zero-terminated, owned by the library and valid while it is loaded;
// NULL when the library has no such text.
KELORES_API const char* KeloRes_GetText(unsigned id);

// Bitmap of an id. With a known id, *width and *height receive its size (whole strip) and, when
// pixels is not NULL and pixelCount >= width * height, the pixels are written as 0xFFRRGGBB words,
// rows top to bottom: KELORES_OK. pixels NULL: size only, KELORES_OK. Too small a buffer:
// KELORES_BUFFER_TOO_SMALL (size reported, pixels untouched). Unknown id: KELORES_MISSING (nothing
// written). A packed picture that does not unpack to its size: KELORES_DAMAGED.
KELORES_API int KeloRes_GetBitmap(unsigned id, int* width, int* height, uint32_t* pixels, size_t pixelCount);

// Picture `index` (0 = smallest) of the icon of an id, its sizes ascending. With a known id and index,
// *width and *height receive its size and, when pixels is not NULL and pixelCount is large enough,
// the pixels are written as 0xAARRGGBB words (not premultiplied), rows top to bottom: KELORES_OK.
// Unknown id, or no picture of that index: KELORES_MISSING. Other results as KeloRes_GetBitmap.
KELORES_API int KeloRes_GetIcon(unsigned id, int index, int* width, int* height, uint32_t* pixels, size_t pixelCount);

// The ids the library holds, ascending: up to capacity of them are written to ids (which may be NULL
// with capacity 0); the result is how many there are in all.
KELORES_API int KeloRes_ListTexts(unsigned* ids, int capacity);
KELORES_API int KeloRes_ListBitmaps(unsigned* ids, int capacity);

#ifdef __cplusplus
}
#endif
