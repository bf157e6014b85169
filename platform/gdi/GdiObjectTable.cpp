#include "platform/gdi/GdiObjectTable.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiObject.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

constexpr int kStockCount = 18;
constexpr int kSysColorCount = 25;

struct Table {
    std::mutex lock;
    std::unordered_map<std::uintptr_t, std::shared_ptr<GdiObjectData>> objects;
    std::uintptr_t next = 0x10000; // never 0, never reused
    HGDIOBJ stock[kStockCount] = {};
    HGDIOBJ sysBrushes[kSysColorCount] = {};
    HGDIOBJ defaultBitmap = nullptr;
};

std::uintptr_t Key(HGDIOBJ handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

HGDIOBJ AddLocked(Table& t, std::shared_ptr<GdiObjectData> data) {
    std::uintptr_t key = t.next++;
    t.objects.emplace(key, std::move(data));
    return reinterpret_cast<HGDIOBJ>(key);
}

std::shared_ptr<GdiObjectData> StockBrush(COLORREF color, UINT style) {
    auto b = std::make_shared<GdiBrushData>();
    b->color = color;
    b->style = style;
    b->stock = true;
    return b;
}

std::shared_ptr<GdiObjectData> StockPen(COLORREF color, int style) {
    auto p = std::make_shared<GdiPenData>();
    p->color = color;
    p->style = style;
    p->stock = true;
    return p;
}

std::shared_ptr<GdiObjectData> StockFont(LONG height, LONG weight, const char* face) {
    auto f = std::make_shared<GdiFontData>();
    f->logFont.lfHeight = height;
    f->logFont.lfWeight = weight;
    f->logFont.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(f->logFont.lfFaceName, face, LF_FACESIZE - 1);
    f->stock = true;
    return f;
}

// The table lives for the whole process: static objects of the program may delete their objects
// after other statics are gone.
Table& Objects() {
    static Table* table = [] {
        auto* t = new Table;
        t->stock[WHITE_BRUSH] = AddLocked(*t, StockBrush(RGB(255, 255, 255), BS_SOLID));
        t->stock[LTGRAY_BRUSH] = AddLocked(*t, StockBrush(RGB(192, 192, 192), BS_SOLID));
        t->stock[GRAY_BRUSH] = AddLocked(*t, StockBrush(RGB(128, 128, 128), BS_SOLID));
        t->stock[DKGRAY_BRUSH] = AddLocked(*t, StockBrush(RGB(64, 64, 64), BS_SOLID));
        t->stock[BLACK_BRUSH] = AddLocked(*t, StockBrush(RGB(0, 0, 0), BS_SOLID));
        t->stock[NULL_BRUSH] = AddLocked(*t, StockBrush(0, BS_NULL));
        t->stock[WHITE_PEN] = AddLocked(*t, StockPen(RGB(255, 255, 255), PS_SOLID));
        t->stock[BLACK_PEN] = AddLocked(*t, StockPen(RGB(0, 0, 0), PS_SOLID));
        t->stock[NULL_PEN] = AddLocked(*t, StockPen(0, PS_NULL));
        // The dialog font of the desktop and the system font: pixel sizes, so layouts do not move
        // with the screen's resolution.
        t->stock[ANSI_VAR_FONT] = AddLocked(*t, StockFont(-11, FW_NORMAL, "MS Sans Serif"));
        t->stock[SYSTEM_FONT] = AddLocked(*t, StockFont(16, FW_BOLD, "System"));
        t->stock[DEFAULT_GUI_FONT] = AddLocked(*t, StockFont(-11, FW_NORMAL, "MS Shell Dlg"));
        for (int i = 0; i < kSysColorCount; ++i)
            t->sysBrushes[i] = AddLocked(*t, StockBrush(GetSysColor(i), BS_SOLID));
        auto bitmap = std::make_shared<GdiBitmapData>();
        bitmap->image = QImage(1, 1, QImage::Format_RGB32);
        bitmap->image.fill(0xFF000000u);
        bitmap->bitsPixel = 1;
        bitmap->stock = true;
        t->defaultBitmap = AddLocked(*t, bitmap);
        return t;
    }();
    return *table;
}

} // namespace

GdiObjectData::~GdiObjectData() = default;

HGDIOBJ CGdiObjectTable::Add(std::shared_ptr<GdiObjectData> data) {
    if (!data)
        return nullptr;
    Table& t = Objects();
    std::lock_guard guard(t.lock);
    return AddLocked(t, std::move(data));
}

std::shared_ptr<GdiObjectData> CGdiObjectTable::Find(HGDIOBJ handle) {
    if (!handle)
        return nullptr;
    Table& t = Objects();
    std::lock_guard guard(t.lock);
    auto it = t.objects.find(Key(handle));
    return it == t.objects.end() ? nullptr : it->second;
}

bool CGdiObjectTable::Remove(HGDIOBJ handle) {
    if (!handle)
        return false;
    std::shared_ptr<GdiObjectData> doomed; // released outside the lock
    Table& t = Objects();
    std::lock_guard guard(t.lock);
    auto it = t.objects.find(Key(handle));
    if (it == t.objects.end() || it->second->stock)
        return false;
    doomed = std::move(it->second);
    t.objects.erase(it);
    return true;
}

HGDIOBJ CGdiObjectTable::Stock(int index) {
    if (index < 0 || index >= kStockCount)
        return nullptr;
    return Objects().stock[index];
}

HBRUSH CGdiObjectTable::SysColorBrush(int index) {
    if (index < 0 || index >= kSysColorCount)
        return nullptr;
    return static_cast<HBRUSH>(Objects().sysBrushes[index]);
}

HBITMAP CGdiObjectTable::DefaultBitmap() {
    return static_cast<HBITMAP>(Objects().defaultBitmap);
}
