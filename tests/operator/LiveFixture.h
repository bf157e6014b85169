#pragma once
// The main window with the program's parts, logged in to a simulated sixteen-channel recorder whose
// clock stands at today's noon: what the operator tests of live view share. Buttons are pressed,
// keys typed and the window grabbed as an operator's clicks, keys and eyes would.
#include "app/LocalLog.h"
#include "media/FullScreenVideoDlg.h"
#include "res/ButtonStates.h"
#include "sim/TestPattern.h"
#include "tests/app/WiredFixture.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>

#include <cstdlib>
#include <utility>
#include <vector>

namespace livetest {

using namespace wiredtest;

// 2026-12-10 12:00, the recorder's local time.
inline const DWORD kToday = Utc(2026, 11, 9, 12);

// The test picture's flat colour of a channel as the video window shows it (BT.601, studio range).
inline QRgb ChannelColour(int channel) {
    const ksim::ChannelColour c = ksim::CTestPattern::Colour(channel);
    const double y = 1.164 * (c.y - 16);
    const double u = c.u - 128;
    const double v = c.v - 128;
    auto clamp = [](double x) { return std::clamp(int(x + 0.5), 0, 255); };
    return qRgb(clamp(y + 1.596 * v), clamp(y - 0.813 * v - 0.391 * u), clamp(y + 2.018 * u));
}

inline bool Near(QRgb a, QRgb b, int tolerance = 24) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// A key pressed and released on a control, through the window layer as the keyboard delivers it.
inline void TypeKey(CWnd& control, Qt::Key key) {
    QWidget* host = control.GetHost();
    if (host == nullptr) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(host, &press);
    if (control.GetHost() != nullptr) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(control.GetHost(), &release);
    }
}

// The (kind, sub-kind) of every local log entry in the order written (a fresh log, no wrap).
inline std::vector<std::pair<unsigned, unsigned>> LogEntries(const char* location) {
    const std::vector<unsigned char> log = AppTestEnv::ReadBytes(CLocalLog::PathOf(location));
    auto le32 = [&log](std::size_t at) {
        return unsigned(log[at]) | unsigned(log[at + 1]) << 8 | unsigned(log[at + 2]) << 16 |
               unsigned(log[at + 3]) << 24;
    };
    std::vector<std::pair<unsigned, unsigned>> kinds;
    for (std::size_t slot = 0; 8 + (slot + 1) * CLocalLog::kRecordSize <= log.size(); ++slot) {
        const std::size_t at = 8 + slot * CLocalLog::kRecordSize;
        if (le32(at + 8) != 0) {
            kinds.emplace_back(le32(at + 8), le32(at + 12));
        }
    }
    return kinds;
}

class LiveFixture : public WiredFixture {
protected:
    // Sixteen cameras at CIF, a one-second picture loop, a day of recordings up to today's noon.
    static std::vector<std::string> SixteenChannels(std::vector<std::string> more = {}) {
        std::vector<std::string> options = {
            "--resolution",        "cif", "--loop-seconds", "1", "--channels", "16", "--days", "1", "--clock",
            std::to_string(kToday)};
        options.insert(options.end(), more.begin(), more.end());
        return options;
    }
    void ConnectSixteen(std::vector<std::string> more = {}) { ConnectWith(SixteenChannels(std::move(more))); }

    CFullScreenVideoDlg& Video() const { return *main->GetVideoWindow()->MediaWindow(); }

    // The split buttons shown pressed, by index (0 single .. 8 sixteen tiles).
    std::vector<int> LitSplitButtons() const {
        std::vector<int> lit;
        for (int i = 0; i < 9; ++i) {
            if (MainButton(*main, IDC_SPLIT_FIRST + i).GetState() == kButtonOn) {
                lit.push_back(i);
            }
        }
        return lit;
    }

    QImage GrabVideo() const { return Video().GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The channels whose visible tile shows that channel's picture, sampled where it is flat.
    WORD ChannelsShown() const {
        const QImage image = GrabVideo();
        WORD shown = 0;
        for (int slot = 0; slot < 16; ++slot) {
            const int channel = Video().GetTileChannel(slot);
            if (channel < 0 || (Video().GetVisibleChannelMask() & (1u << channel)) == 0) {
                continue;
            }
            const RECT r = Video().GetSlotRect(slot);
            const int x = r.left + (r.right - r.left) * 8 / 10;
            const QRgb a = image.pixel(x, r.top + (r.bottom - r.top) * 3 / 10);
            const QRgb b = image.pixel(x, r.top + (r.bottom - r.top) * 3 / 4);
            if (Near(a, ChannelColour(channel)) && Near(b, ChannelColour(channel))) {
                shown = WORD(shown | (1u << channel));
            }
        }
        return shown;
    }

    // Waits until the recorder has answered a LIVE_REQ sent after `generation` with this mask.
    bool RecorderStreams(DWORD generation, DWORD mask, int timeoutMs = 180000) {
        return WaitUntil(
            [&] {
                return main->GetClient() && main->GetClient()->GetLiveGeneration() > generation &&
                       main->GetClient()->GetStreamedMask() == mask;
            },
            timeoutMs);
    }
    DWORD LiveGeneration() const { return main->GetClient() ? main->GetClient()->GetLiveGeneration() : 0; }
};

} // namespace livetest
