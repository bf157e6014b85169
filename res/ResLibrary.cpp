#include "res/ResLibrary.h"

#include "res/KeloRes.h"
#include "res/ResStrings.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiQt.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace {

std::atomic<CResLibrary*> g_current{nullptr};

// The folder of the running program, with a trailing slash; empty when it cannot be told.
std::string ProgramFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) {
        return {};
    }
    const std::string exe(path, size_t(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::string LastDlError() {
    const char* message = dlerror();
    return message != nullptr ? message : "unknown error";
}

} // namespace

CResLibrary::~CResLibrary() {
    if (Current() == this) {
        SetCurrent(nullptr);
    }
    Free();
}

bool CResLibrary::Load() {
    Free();
    std::string error;
    const std::string folder = ProgramFolder();
    if (!folder.empty() && Open(folder + kFileName, &error)) {
        return true;
    }
    std::string searched;
    if (Open(kFileName, &searched)) {
        return true;
    }
    Report(std::string(kFileName) + " is missing (beside the program: " + (folder.empty() ? "?" : error) +
           "; library search: " + searched + ")");
    return false;
}

bool CResLibrary::LoadFrom(const std::string& path) {
    Free();
    std::string error;
    if (Open(path, &error)) {
        return true;
    }
    Report(path + " is missing (" + error + ")");
    return false;
}

bool CResLibrary::Open(const std::string& path, std::string* error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        *error = LastDlError();
        return false;
    }
    using AbiFn = unsigned (*)();
    auto abi = reinterpret_cast<AbiFn>(dlsym(handle, "KeloRes_AbiVersion"));
    auto getText = reinterpret_cast<GetTextFn>(dlsym(handle, "KeloRes_GetText"));
    auto getBitmap = reinterpret_cast<GetBitmapFn>(dlsym(handle, "KeloRes_GetBitmap"));
    auto getIcon = reinterpret_cast<GetIconFn>(dlsym(handle, "KeloRes_GetIcon"));
    if (abi == nullptr || getText == nullptr || getBitmap == nullptr || getIcon == nullptr) {
        *error = path + " is not the resource library";
        dlclose(handle);
        return false;
    }
    if (abi() != KELORES_ABI_VERSION) {
        *error = path + " has interface version " + std::to_string(abi()) + ", this program needs " +
                 std::to_string(KELORES_ABI_VERSION);
        dlclose(handle);
        return false;
    }
    m_handle = handle;
    m_getText = getText;
    m_getBitmap = getBitmap;
    m_getIcon = getIcon;
    return true;
}

void CResLibrary::Report(const std::string& what) const {
    std::fprintf(stderr, "KELO1000: resource library %s; texts and skin pictures stay empty\n", what.c_str());
}

void CResLibrary::Free() {
    if (m_handle == nullptr) {
        return;
    }
    dlclose(m_handle);
    m_handle = nullptr;
    m_getText = nullptr;
    m_getBitmap = nullptr;
    m_getIcon = nullptr;
}

CString CResLibrary::LoadText(UINT id) const {
    if (m_getText == nullptr) {
        return {};
    }
    const char* text = m_getText(id);
    return text != nullptr ? CString(text) : CString();
}

QImage CResLibrary::LoadBitmap(UINT id) const {
    if (m_getBitmap == nullptr) {
        return {};
    }
    int width = 0;
    int height = 0;
    if (m_getBitmap(id, &width, &height, nullptr, 0) != KELORES_OK || width <= 0 || height <= 0) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    // The library writes rows back to back; a 32-bit image has no row padding to skip.
    if (image.bytesPerLine() != qsizetype(width) * 4) {
        return {};
    }
    auto* pixels = reinterpret_cast<uint32_t*>(image.bits());
    if (m_getBitmap(id, &width, &height, pixels, size_t(width) * size_t(height)) != KELORES_OK) {
        return {};
    }
    return image;
}

std::vector<QImage> CResLibrary::LoadIcon(UINT id) const {
    std::vector<QImage> pictures;
    if (m_getIcon == nullptr) {
        return pictures;
    }
    for (int index = 0;; ++index) {
        int width = 0;
        int height = 0;
        if (m_getIcon(id, index, &width, &height, nullptr, 0) != KELORES_OK || width <= 0 || height <= 0) {
            return pictures;
        }
        QImage image(width, height, QImage::Format_ARGB32);
        if (image.isNull() || image.bytesPerLine() != qsizetype(width) * 4) {
            return pictures;
        }
        auto* pixels = reinterpret_cast<uint32_t*>(image.bits());
        if (m_getIcon(id, index, &width, &height, pixels, size_t(width) * size_t(height)) != KELORES_OK) {
            return pictures;
        }
        pictures.push_back(std::move(image));
    }
}

void CResLibrary::SetCurrent(CResLibrary* library) {
    g_current.store(library);
    // Every CBitmap::LoadBitmap of the program then reads this library.
    if (library == nullptr) {
        CBitmap::SetResourceLoader({});
        return;
    }
    CBitmap::SetResourceLoader([](UINT id) -> HBITMAP {
        const QImage image = LoadResBitmap(id);
        return image.isNull() ? nullptr : GdiCreateBitmap(image);
    });
}

CResLibrary* CResLibrary::Current() {
    return g_current.load();
}
