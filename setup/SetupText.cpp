#include "setup/SetupText.h"

#include <algorithm>
#include <cstring>

CString SlotText(const char* slot, std::size_t size) {
    return CString(slot, int(strnlen(slot, size)));
}

void WriteSlotText(char* slot, std::size_t size, const char* text) {
    if (size == 0) {
        return;
    }
    const std::size_t length = text != nullptr ? std::min(std::strlen(text), size - 1) : 0;
    if (length > 0) {
        std::memcpy(slot, text, length);
    }
    slot[length] = '\0';
}

CString ItemOrNumber(std::span<const CString> items, int index, bool twoDigits) {
    if (index >= 0 && std::size_t(index) < items.size()) {
        return items[std::size_t(index)];
    }
    CString number;
    if (twoDigits) {
        number.Format("%02d", index);
    } else {
        number.Format("%d", index);
    }
    return number;
}

CString CutText(const CString& text, int maxChars) {
    return text.GetLength() > maxChars ? text.Left(maxChars) : text;
}
