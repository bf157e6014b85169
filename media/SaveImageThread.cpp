#include "media/SaveImageThread.h"

#include "media/ImageSaver.h"
#include "platform/base/Clock.h"
#include "platform/base/FileSystem.h"
#include "platform/base/WindowsPath.h"

#include <cerrno>
#include <cstdio>

namespace {

const char* Extension(int saveFormat) {
    switch (saveFormat) {
    case CImageSaver::kSaveBmp:
        return ".bmp";
    case CImageSaver::kSaveTiff:
        return ".tif";
    default:
        return ".jpg";
    }
}

SYSTEMTIME Now() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return t;
}

} // namespace

std::string CSaveImageThread::MakeFileName(const SYSTEMTIME& time, int channel, int saveFormat) {
    char name[64];
    std::snprintf(name, sizeof(name), "%04d%02d%02d%02d%02d%02d_00%02d%s", time.wYear, time.wMonth, time.wDay,
                  time.wHour, time.wMinute, time.wSecond, (channel + 1) % 100, Extension(saveFormat));
    return name;
}

std::string CSaveImageThread::SaveFolder(const std::string& saveLocation) {
    return JoinPath(MapWindowsPath(saveLocation.c_str()), "Saved") + "/";
}

CSaveImageThread::CSaveImageThread(std::string saveLocation, StillImageRequest request, LocalClock clock)
    : m_folder(SaveFolder(saveLocation)), m_request(std::move(request)) {
    // The name is the time the save was asked for.
    m_name = MakeFileName(clock ? clock() : Now(), m_request.channel, m_request.saveFormat);
    m_path = m_folder + m_name;
    m_thread = std::thread([this] { Run(); });
}

CSaveImageThread::~CSaveImageThread() {
    DestroyWindow();
}

void CSaveImageThread::DestroyWindow() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_request.picture.clear();
    m_request.picture.shrink_to_fit();
}

void CSaveImageThread::Run() {
    CImageSaver saver;
    saver.SetFont(16, 400, "Tahoma");
    const PictureLayout& layout = m_request.layout;
    // The frame buffer says how it holds its picture; the size is the buffer's own.
    const int input = layout.format == PictureFormat::Yuv420 ? CImageSaver::kInputYuv420 : CImageSaver::kInputRgb24;
    const int width = layout.width > 0 ? layout.width : m_request.width;
    const int height = layout.height > 0 ? layout.height : m_request.height;
    bool saved = false;
    errno = 0;
    if (CreateDirectories(m_folder.c_str())) {
        saved = saver.SaveFrame(m_request.picture.data(), m_request.picture.size(), width, height, input,
                                m_request.saveFormat, m_folder, true, kOutputWidth, kOutputHeight, true,
                                m_request.timeText, CImageSaver::kCaptionBottom, m_name, kCaptionColour);
    }
    m_error.store(saved ? 0 : (errno != 0 ? errno : EIO));
    m_saved.store(saved);
    m_state.store(1);
}
