#include "res/KeloRes.h"

#include "res/SkinData.h"
#include "res/TextTable.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

namespace {

// No skin bitmap comes near this; anything larger in the table would be a packing fault.
constexpr uint32_t kMaxSide = 4096;

const SkinDataEntry* FindEntry(unsigned id) {
    const SkinDataEntry* begin = kSkinDataEntries;
    const SkinDataEntry* end = kSkinDataEntries + kSkinDataEntryCount;
    const SkinDataEntry* it =
        std::lower_bound(begin, end, id, [](const SkinDataEntry& e, unsigned key) { return e.id < key; });
    return it != end && it->id == id ? it : nullptr;
}

bool Unpack(const SkinDataEntry& e, uint32_t* pixels) {
    if (e.offset > kSkinDataBlobSize || e.size > kSkinDataBlobSize - e.offset) {
        return false;
    }
    const size_t expected = size_t(e.width) * e.height * 3;
    std::vector<unsigned char> raw(expected);
    uLongf length = uLongf(expected);
    if (uncompress(raw.data(), &length, kSkinDataBlob + e.offset, e.size) != Z_OK || length != expected) {
        return false;
    }
    const unsigned char* in = raw.data();
    for (uint32_t y = 0; y < e.height; ++y) {
        unsigned r = 0, g = 0, b = 0;
        for (uint32_t x = 0; x < e.width; ++x) {
            r = (r + *in++) & 0xFF;
            g = (g + *in++) & 0xFF;
            b = (b + *in++) & 0xFF;
            *pixels++ = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    }
    return true;
}

const IconDataEntry* FindIcon(unsigned id, int index) {
    if (index < 0) {
        return nullptr;
    }
    const IconDataEntry* begin = kIconDataEntries;
    const IconDataEntry* end = kIconDataEntries + kIconDataEntryCount;
    const IconDataEntry* first =
        std::lower_bound(begin, end, id, [](const IconDataEntry& e, unsigned key) { return e.id < key; });
    if (end - first <= index || first[index].id != id) {
        return nullptr;
    }
    return first + index;
}

bool UnpackIcon(const IconDataEntry& e, uint32_t* pixels) {
    if (e.offset > kSkinDataBlobSize || e.size > kSkinDataBlobSize - e.offset) {
        return false;
    }
    const size_t expected = size_t(e.side) * e.side * 4;
    std::vector<unsigned char> raw(expected);
    uLongf length = uLongf(expected);
    if (uncompress(raw.data(), &length, kSkinDataBlob + e.offset, e.size) != Z_OK || length != expected) {
        return false;
    }
    const unsigned char* in = raw.data();
    for (uint32_t y = 0; y < e.side; ++y) {
        unsigned r = 0, g = 0, b = 0, a = 0;
        for (uint32_t x = 0; x < e.side; ++x) {
            r = (r + *in++) & 0xFF;
            g = (g + *in++) & 0xFF;
            b = (b + *in++) & 0xFF;
            a = (a + *in++) & 0xFF;
            *pixels++ = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    return true;
}

template <typename List, typename IdOf>
int ListIds(const List& list, size_t count, unsigned* ids, int capacity, IdOf idOf) {
    const size_t room = ids != nullptr && capacity > 0 ? size_t(capacity) : 0;
    for (size_t i = 0; i < count && i < room; ++i) {
        ids[i] = idOf(list[i]);
    }
    return int(count);
}

} // namespace

extern "C" {

unsigned KeloRes_AbiVersion(void) {
    return KELORES_ABI_VERSION;
}

const char* KeloRes_GetText(unsigned id) {
    return FindResText(id);
}

int KeloRes_GetBitmap(unsigned id, int* width, int* height, uint32_t* pixels, size_t pixelCount) {
    const SkinDataEntry* e = FindEntry(id);
    if (e == nullptr) {
        return KELORES_MISSING;
    }
    if (e->width == 0 || e->height == 0 || e->width > kMaxSide || e->height > kMaxSide) {
        return KELORES_DAMAGED;
    }
    if (width != nullptr) {
        *width = int(e->width);
    }
    if (height != nullptr) {
        *height = int(e->height);
    }
    if (pixels == nullptr) {
        return KELORES_OK;
    }
    if (pixelCount < size_t(e->width) * e->height) {
        return KELORES_BUFFER_TOO_SMALL;
    }
    return Unpack(*e, pixels) ? KELORES_OK : KELORES_DAMAGED;
}

int KeloRes_GetIcon(unsigned id, int index, int* width, int* height, uint32_t* pixels, size_t pixelCount) {
    const IconDataEntry* e = FindIcon(id, index);
    if (e == nullptr) {
        return KELORES_MISSING;
    }
    if (e->side == 0 || e->side > kMaxSide) {
        return KELORES_DAMAGED;
    }
    if (width != nullptr) {
        *width = int(e->side);
    }
    if (height != nullptr) {
        *height = int(e->side);
    }
    if (pixels == nullptr) {
        return KELORES_OK;
    }
    if (pixelCount < size_t(e->side) * e->side) {
        return KELORES_BUFFER_TOO_SMALL;
    }
    return UnpackIcon(*e, pixels) ? KELORES_OK : KELORES_DAMAGED;
}

int KeloRes_ListTexts(unsigned* ids, int capacity) {
    const auto texts = ResTexts();
    return ListIds(texts, texts.size(), ids, capacity, [](const ResText& t) { return t.id; });
}

int KeloRes_ListBitmaps(unsigned* ids, int capacity) {
    return ListIds(kSkinDataEntries, kSkinDataEntryCount, ids, capacity,
                   [](const SkinDataEntry& e) { return unsigned(e.id); });
}

} // extern "C"
