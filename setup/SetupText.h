#pragma once
// Text slots of the setup record and the item texts of the pages' selectors. Record slots may arrive
// without a terminator, so they are read no further than their size; a write never leaves a slot
// without one.

#include "platform/base/String.h"

#include <cstddef>
#include <span>

// The text of a slot, read no further than `size` bytes.
CString SlotText(const char* slot, std::size_t size);
// Writes at most size - 1 characters of text and the terminator; the bytes after the terminator keep
// what they held.
void WriteSlotText(char* slot, std::size_t size, const char* text);
// Item `index` of a table; a value outside the table shows as its number, so that the selector still
// shows something to click and the stored value stays as it is until the user picks an item.
CString ItemOrNumber(std::span<const CString> items, int index, bool twoDigits = false);
// A resource text cut to at most maxChars characters (the fixed item slots of some pages).
CString CutText(const CString& text, int maxChars);
