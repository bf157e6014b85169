// The captions of the switch buttons (On/Off, Yes/No, None and the time page's Week/Date) stay
// readable on their plates in every state: measured on the pixels the pages draw.

#include "SetupTestSupport.h"

#include "controls/SkinTextButton.h"
#include "platform/window/WndHost.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using namespace setuptest;

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(QRgb rgb) {
    return 0.2126 * Linear(qRed(rgb)) + 0.7152 * Linear(qGreen(rgb)) + 0.0722 * Linear(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct CaptionReading {
    int inkPixels = 0;
    double contrast = 0; // the caption's ink against the plate rows it stands on, the worst of them
};

// The caption lies right of the lamp. Each pixel row of the plate is one colour of its gradient (the
// commonest there); the ink is the pixel that stands out most from its row, and it is measured
// against every plate row the caption covers.
CaptionReading ReadCaption(const QImage& image, int captionLeft) {
    CaptionReading reading;
    std::vector<QRgb> plates;
    QRgb ink = 0;
    double strongest = 0;
    for (int y = 3; y < image.height() - 3; ++y) {
        std::map<QRgb, int> counts;
        for (int x = captionLeft; x < image.width() - 3; ++x)
            ++counts[image.pixel(x, y) & 0xFFFFFF];
        const QRgb plate =
            std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
        bool inked = false;
        for (int x = captionLeft; x < image.width() - 3; ++x) {
            const double c = Contrast(image.pixel(x, y), plate);
            inked = inked || c > 1.5;
            reading.inkPixels += c > 1.5 ? 1 : 0;
            if (c > strongest) {
                strongest = c;
                ink = image.pixel(x, y);
            }
        }
        if (inked)
            plates.push_back(plate);
    }
    reading.contrast = plates.empty() ? 0 : 1e9;
    for (QRgb plate : plates)
        reading.contrast = std::min(reading.contrast, Contrast(ink, plate));
    return reading;
}

QImage Grab(CWnd& wnd) {
    return wnd.GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class SwitchCaptions : public FrameFixture {};

TEST_F(SwitchCaptions, EveryStateKeepsTheCaptionAtThreeToOne) {
    db.dst[0] = 1; // the time page's own rule shows its Week and Date buttons
    db.dst[1] = 0;
    const struct {
        UINT page;
        const char* name;
        int captionLeft;
    } pages[] = {{IDD_CAMERA_COVERT_DLG, "covert", 38},
                 {IDD_SPOT_SETUP_DLG, "spot", 38},
                 {IDD_OSD_SETUP_DLG, "OSD", 38},
                 {IDD_EVENT_YES_NO_DLG, "events", 38},
                 {IDD_CHANNEL_TRI_STATE_DLG, "three-way", 2},
                 {IDD_DEINTERLACE_DLG, "deinterlace", 2},
                 {IDD_TIME_SETUP_DLG, "time Week/Date", 2},
                 {IDD_REC_RES_RATE_DLG, "record audio", 38}};
    static constexpr const char* kStates[4] = {"unselected", "selected", "under the mouse", "disabled"};
    Open();
    for (const auto& p : pages) {
        frame->ShowPageById(p.page);
        Flush();
        CWnd* page = frame->PageById(p.page);
        ASSERT_NE(page, nullptr) << p.name;
        if (p.page == IDD_REC_RES_RATE_DLG) // the audio column shows channel 1's On and Off
            page->SendMessage(WM_COMMAND, MAKEWPARAM(472, BN_CLICKED), 0);
        int checked = 0;
        for (UINT id = 550; id < 606; ++id) {
            auto* button = dynamic_cast<CSkinTextButton*>(page->GetDlgItem(int(id)));
            if (button == nullptr || !button->IsWindowVisible())
                continue;
            ++checked;
            for (int state = 0; state < 4; ++state) {
                button->Enable(TRUE);
                if (state < 3)
                    button->SetState(state);
                else
                    button->Enable(FALSE);
                Flush();
                const CaptionReading reading = ReadCaption(Grab(*button), p.captionLeft);
                EXPECT_GT(reading.inkPixels, 20) << p.name << " " << id << " " << kStates[state];
                EXPECT_GE(reading.contrast, 3.0) << p.name << " button " << id << " " << kStates[state];
            }
        }
        EXPECT_GE(checked, 2) << p.name;
    }
}

} // namespace
