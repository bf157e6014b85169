#pragma once
// The drawing layer's object table: every pen, brush, font, bitmap and region lives here under a
// handle that is never reused. Holders take shared references, so an object deleted while a context
// still has it selected lives on until it is deselected. Internal to platform/gdi.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QImage>
#include <QRegion>

#include <memory>
#include <mutex>

struct GdiObjectData {
    explicit GdiObjectData(DWORD kind) : kind(kind) {}
    virtual ~GdiObjectData();
    const DWORD kind;
    bool stock = false;
    // The borrowed wrapper FromHandle gives out; it goes with the object.
    std::mutex wrapperLock;
    std::unique_ptr<CGdiObject> wrapper;
};

struct GdiPenData : GdiObjectData {
    GdiPenData() : GdiObjectData(OBJ_PEN) {}
    int style = PS_SOLID;
    int width = 0;
    COLORREF color = 0;
};

struct GdiBrushData : GdiObjectData {
    GdiBrushData() : GdiObjectData(OBJ_BRUSH) {}
    UINT style = BS_SOLID;
    COLORREF color = 0;
};

struct GdiFontData : GdiObjectData {
    GdiFontData() : GdiObjectData(OBJ_FONT) {}
    LOGFONT logFont{};
};

struct GdiBitmapData : GdiObjectData {
    GdiBitmapData() : GdiObjectData(OBJ_BITMAP) {}
    QImage image; // Format_RGB32
    WORD bitsPixel = 32;
};

struct GdiRegionData : GdiObjectData {
    GdiRegionData() : GdiObjectData(OBJ_REGION) {}
    QRegion region;
};

class CGdiObjectTable {
public:
    // Adds an object and gives its new handle.
    static HGDIOBJ Add(std::shared_ptr<GdiObjectData> data);
    // The object under a handle, or null.
    static std::shared_ptr<GdiObjectData> Find(HGDIOBJ handle);
    template <class T>
    static std::shared_ptr<T> FindAs(HGDIOBJ handle, DWORD kind) {
        auto data = Find(handle);
        if (!data || data->kind != kind)
            return nullptr;
        return std::static_pointer_cast<T>(data);
    }
    // Removes a non-stock object; false when there was none.
    static bool Remove(HGDIOBJ handle);
    // A stock object by GetStockObject index, or null for an unknown index.
    static HGDIOBJ Stock(int index);
    // The stock brush of a system colour.
    static HBRUSH SysColorBrush(int index);
    // The 1 x 1 bitmap a new memory context starts with.
    static HBITMAP DefaultBitmap();

    // A wrapper of type T (a CGdiObject class) that borrows the object: made once per object and
    // freed with it. Null for an unknown handle or one of another kind.
    template <class T>
    static T* Wrapper(HGDIOBJ handle, DWORD kind);
};

template <class T>
T* CGdiObjectTable::Wrapper(HGDIOBJ handle, DWORD kind) {
    auto data = Find(handle);
    if (!data || data->kind != kind)
        return nullptr;
    std::lock_guard guard(data->wrapperLock);
    if (!data->wrapper) {
        auto wrapper = std::make_unique<T>();
        wrapper->m_hObject = handle;
        wrapper->m_borrowed = true;
        data->wrapper = std::move(wrapper);
    }
    return static_cast<T*>(data->wrapper.get());
}
