#include "media/SnapshotWnd.h"

#include "platform/base/WindowsPath.h"

namespace {

int CheckedSize(int value, int fallback) {
    return value >= CSnapshotWnd::kMinSize && value <= CSnapshotWnd::kMaxSize ? value : fallback;
}

} // namespace

CSnapshotWnd::CSnapshotWnd(WebSnapshotSettings settings) : m_settings(std::move(settings)) {
    const WebSnapshotSettings defaults;
    m_settings.widthJpg = CheckedSize(m_settings.widthJpg, defaults.widthJpg);
    m_settings.heightJpg = CheckedSize(m_settings.heightJpg, defaults.heightJpg);
    // The web page's width only scales the caption; zero or nonsense would divide by nothing.
    m_settings.widthWeb = CheckedSize(m_settings.widthWeb, defaults.widthWeb);
    m_captionPointSize = static_cast<int>(double(m_settings.widthJpg) / m_settings.widthWeb * 18);
    m_saver.SetFont(m_captionPointSize, 700, "Tahoma");
    m_thread = std::thread([this] { Run(); });
}

CSnapshotWnd::~CSnapshotWnd() {
    DestroyWindow();
}

std::string CSnapshotWnd::PathFor(int channel) const {
    return JoinPath(MapWindowsPath(m_settings.location.c_str()), std::to_string(channel + 1) + ".jpg");
}

bool CSnapshotWnd::PutFrame(WebSnapshotRequest request) {
    {
        std::lock_guard lock(m_lock);
        if (m_pending || m_stop) {
            return false;
        }
        m_next = std::move(request);
        m_pending = true;
    }
    m_wake.notify_one();
    return true;
}

void CSnapshotWnd::DestroyWindow() {
    {
        std::lock_guard lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CSnapshotWnd::Run() {
    std::unique_lock lock(m_lock);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stop || m_pending; });
        if (m_stop) {
            return;
        }
        // The picture is the writer's while pending is set: the decoder hands over no other.
        lock.unlock();
        if (Write(m_next)) {
            ++m_written;
        }
        lock.lock();
        m_next = WebSnapshotRequest{};
        m_pending = false;
    }
}

bool CSnapshotWnd::Write(const WebSnapshotRequest& request) {
    const PictureLayout& layout = request.layout;
    const int input = layout.format == PictureFormat::Yuv420 ? CImageSaver::kInputYuv420 : CImageSaver::kInputRgb24;
    const int w = layout.width > 0 ? layout.width : request.width;
    const int h = layout.height > 0 ? layout.height : request.height;
    BgrPicture picture;
    if (request.channel < 0 || request.channel > 15 || m_settings.location.empty() ||
        !CImageSaver::ToPicture(request.picture.data(), request.picture.size(), w, h, input, picture)) {
        return false;
    }
    const bool fields = h == 480 || h == 576;
    const RECT source = fields ? RECT{0, 16, w, h - 8} : RECT{0, 8, w, h - 4};
    QImage image = CImageSaver::Render(picture, source, m_settings.widthJpg, m_settings.heightJpg);
    if (image.isNull()) {
        return false;
    }
    m_saver.DrawCaption(image, "CH" + std::to_string(request.channel + 1), 7, 3, kCaptionColour);
    return CImageSaver::WriteFile(CImageSaver::kSaveJpeg, PathFor(request.channel), image);
}
