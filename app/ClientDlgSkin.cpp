// The main window's face: frame bitmaps, logo, play strip and clock; the window region cut from
// the key colour in the skin's corners; the controls' places, strips and tooltips.
#include "app/ClientDlg.h"

#include "app/RemovableMedia.h"
#include "controls/LoadImageFile.h"
#include "platform/base/WindowsPath.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WinUser.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <cstring>

namespace {

struct FacePiece {
    UINT bitmap;
    RECT rect;
};
const FacePiece kFace[9] = {
    {IDB_MAIN_WINDOW_FACE_TOP_LEFT, {0, 0, 86, 58}},           {IDB_MAIN_WINDOW_FACE_TOP, {86, 0, 841, 58}},
    {IDB_MAIN_WINDOW_FACE_TOP_RIGHT, {841, 0, 928, 58}},       {IDB_MAIN_WINDOW_FACE_LEFT, {0, 58, 86, 626}},
    {IDB_MAIN_WINDOW_FACE_CENTRE, {86, 58, 841, 626}},         {IDB_MAIN_WINDOW_FACE_RIGHT, {841, 58, 928, 626}},
    {IDB_MAIN_WINDOW_FACE_BOTTOM_LEFT, {0, 626, 86, 698}},     {IDB_MAIN_WINDOW_FACE_BOTTOM, {86, 626, 841, 698}},
    {IDB_MAIN_WINDOW_FACE_BOTTOM_RIGHT, {841, 626, 928, 698}},
};
constexpr RECT kCentre = {86, 58, 841, 626};
constexpr RECT kLogo = {710, 23, 849, 57};
constexpr RECT kPlayStrip = {250, 630, 677, 644};

struct Placement {
    UINT id;
    UINT bitmap;
    int x, y, cx, cy;
};

// Every button but the split and play-bar rows, which are laid out by rule below.
const Placement kPlacements[] = {
    {IDC_FULL, IDB_FULL_SCREEN, 872, 379, 34, 34},
    {IDC_PAN, IDB_PAN_TILT_PAD, 238, 25, 37, 32},
    {IDC_ZOOM, IDB_ZOOM_FOCUS_PAD, 275, 25, 37, 32},
    {IDC_CONNECT, IDB_CONNECT_DISCONNECT, 53, 25, 37, 32},
    {IDC_RSEARCH, IDB_SEARCH_RECORDER, 90, 25, 37, 32},
    {IDC_RSETUP, IDB_RECORDER_SETUP, 127, 25, 37, 32},
    {IDC_LSEARCH, IDB_SEARCH_BACKUPS_ON_COMPUTER, 164, 25, 37, 32},
    {IDC_LSETUP, IDB_SETTINGS_PROGRAM, 201, 25, 37, 32},
    {IDC_FIRMUP, IDB_FIRMWARE_UPGRADE_BUTTON, 312, 25, 37, 32},
    {IDC_QUIT, IDB_QUIT_PROGRAM, 349, 25, 37, 32},
    {IDC_LIVE, IDB_LIVE_VIEW, 872, 413, 34, 34},
    {IDC_OSD, IDB_ON_SCREEN_TEXT_ON_OFF, 872, 447, 34, 34},
    {IDC_ARRANGE, IDB_PUT_TILES_BACK_CHANNEL_ORDER, 872, 481, 34, 34},
    {IDC_SAVE, IDB_SAVE_STILL_IMAGES, 872, 515, 34, 34},
    {IDC_LOAD, IDB_OPEN_SAVED_IMAGE, 872, 549, 34, 34},
    {IDC_AUDIO, IDB_LISTEN_RECORDER_AUDIO, 872, 583, 34, 34},
    {IDC_SOUND, IDB_SOUND_ON_MUTED_SECOND_LOOKS, 712, 638, 28, 29},
    {IDC_SELAUDIO, IDB_CHOOSE_AUDIO_CHANNEL, 822, 637, 28, 29},
    {IDC_MIKE, IDB_TALK_RECORDER, 857, 637, 28, 29},
};

constexpr int kPlayLefts[7] = {264, 340, 390, 440, 490, 540, 590};
constexpr int kPlayWidths[7] = {76, 50, 50, 50, 50, 50, 73};

} // namespace

bool CClientDlg::IsCornerBlock(int x, int y) {
    return (x < 54 || x >= 869) && (y < 51 || y >= 642);
}

void CClientDlg::LoadSkin() {
    for (int i = 0; i < 9; ++i) {
        m_bmFace[i].LoadBitmap(kFace[i].bitmap);
    }
    m_bmCentre.LoadBitmap(IDB_MAIN_WINDOW_FACE_CENTRE);
    m_bmPlayStrip.LoadBitmap(IDB_PLAYBACK_STRIP_UNDER_PLAY_BAR);
    const std::string logo = JoinPath(CRemovableMedia::ProgramFolder(), "LogoD.bmp");
    if (HBITMAP handle = LoadImageFile(logo.c_str())) {
        m_bmLogo.Attach(handle);
    }
}

void CClientDlg::PlaceControls() {
    for (int i = 0; i < 9; ++i) {
        m_btnSplit[i].LoadBitmap(IDB_SPLIT_ONE_TILE + i);
        m_btnSplit[i].MoveWindow(872, 73 + 34 * i, 34, 34);
    }
    for (int i = 0; i < 7; ++i) {
        m_btnPlay[i].LoadBitmap(IDB_PLAY_BAR_STEP_BACKWARD + i);
        m_btnPlay[i].MoveWindow(kPlayLefts[i], 649, kPlayWidths[i], 32);
        m_btnPlay[i].Enable(IDC_PLAY_FIRST + i == IDC_RECORD);
    }
    for (const Placement& p : kPlacements) {
        auto* button = dynamic_cast<CSkinButton*>(GetDlgItem(int(p.id)));
        if (button == nullptr) {
            continue;
        }
        button->LoadBitmap(p.bitmap);
        button->MoveWindow(p.x, p.y, p.cx, p.cy);
    }
    m_btnSelAudio.ShowWindow(SW_HIDE);
    // Talk is there to see from the start and can be pressed once a recorder is connected.
    m_btnMike.Enable(FALSE);

    m_sliderVolume.SetBitmapChannel(IDB_VOLUME_SLIDER_PART_ABOVE_POSITION, IDB_VOLUME_SLIDER_PART_BELOW_POSITION,
                                    FALSE);
    m_sliderVolume.MoveWindow(747, 647, 69, 16);
    m_sliderVolume.SetRange(0, 65535);
    m_sliderVolume.SetMargin(0, 0, 0, 0);
    m_sliderVolume.SetPos(40000);
    m_nVolume = 40000;

    for (CSkinButton& b : m_btnChannel) {
        b.ShowWindow(SW_HIDE);
    }
    m_sliderSeek.ShowWindow(SW_HIDE);

    // Every button tells its tooltip text when it is about to show.
    if (m_tip.Create(this, TTS_ALWAYSTIP)) {
        for (UINT id = IDC_CHANNEL_FIRST; id <= IDC_VOLUME; ++id) {
            if (CWnd* control = GetDlgItem(int(id))) {
                m_tip.AddTool(control);
            }
        }
        m_tip.Activate(TRUE);
    }
}

CString CClientDlg::TooltipText(UINT id) const {
    CString text;
    auto load = [&](UINT textId) { LoadResString(text, textId); };
    if (id >= IDC_CHANNEL_FIRST && id < IDC_CHANNEL_FIRST + 16) {
        load(IDS_CHANNEL);
        text.AppendFormat(" %u", id - IDC_CHANNEL_FIRST + 1);
        return text;
    }
    static const char* const kSplitTexts[] = {"6", "7", "8", "9", "10", "13", "16"};
    switch (id) {
    case IDC_SPLIT_FIRST:
        load(IDS_1);
        break;
    case IDC_SPLIT_FIRST + 1:
        load(IDS_4);
        break;
    case IDC_SPLIT_FIRST + 2:
    case IDC_SPLIT_FIRST + 3:
    case IDC_SPLIT_FIRST + 4:
    case IDC_SPLIT_FIRST + 5:
    case IDC_SPLIT_FIRST + 6:
    case IDC_SPLIT_FIRST + 7:
    case IDC_SPLIT_FIRST + 8:
        text = kSplitTexts[id - IDC_SPLIT_FIRST - 2];
        break;
    case IDC_FULL:
        load(IDS_FULL_SCREEN);
        break;
    case IDC_PLAY_FIRST:
    case IDC_PLAY_FIRST + 1:
    case IDC_PLAY_FIRST + 2:
    case IDC_PLAY_FIRST + 3:
        load(IDS_STEP_BACKWARD + (id - IDC_PLAY_FIRST));
        break;
    case IDC_RECORD:
        if (m_pClient) {
            load(m_pClient->Commands().IsRecording() ? IDS_STOP_RECORDING : IDS_START_RECORDING);
        }
        break;
    case IDC_PLAY_STOP:
        load(IDS_STOP);
        break;
    case IDC_PLAY_FIRST + 6:
        load(IDS_STEP_FORWARD);
        break;
    case IDC_PAN:
        load(IDS_PAN_TILT);
        break;
    case IDC_ZOOM:
        load(IDS_ZOOM_FOCUS);
        break;
    case IDC_CONNECT:
        load(IsConnected() ? IDS_DISCONNECT : IDS_CONNECT);
        break;
    case IDC_RSEARCH:
    case IDC_RSETUP:
    case IDC_LSEARCH:
    case IDC_LSETUP:
        load(IDS_REMOTE_SEARCH + (id - IDC_RSEARCH));
        break;
    case IDC_QUIT:
        load(IDS_QUIT);
        break;
    case IDC_SOUND:
        load(IDS_MUTE);
        break;
    case IDC_SELAUDIO:
        load(IDS_AUDIO_CHANNEL);
        break;
    case IDC_LIVE:
    case IDC_OSD:
    case IDC_ARRANGE:
    case IDC_SAVE:
    case IDC_LOAD:
        load(IDS_LIVE + (id - IDC_LIVE));
        break;
    case IDC_FIRMUP:
        load(IDS_FIRMWARE_UPGRADE);
        break;
    case IDC_MIKE:
        load(IDS_TALK);
        break;
    case IDC_MIN:
        load(IDS_MINIMIZE);
        break;
    case IDC_AUDIO:
        load(IDS_AUDIO);
        break;
    case IDC_VOLUME:
        load(IDS_VOLUME);
        break;
    default:
        break;
    }
    return text;
}

void CClientDlg::InvalidatePlayStrip() {
    InvalidateRect(&kPlayStrip, TRUE);
}

void CClientDlg::PaintFace(CDC* pDC) {
    for (int i = 0; i < 9; ++i) {
        const RECT& r = kFace[i].rect;
        DrawBitmap(pDC, m_bmFace[i], r.left, r.top, r.right, r.bottom, FALSE, 0);
    }
    DrawBitmap(pDC, m_bmCentre, kCentre.left, kCentre.top, kCentre.right, kCentre.bottom, TRUE, 0);
    if (m_bmLogo.GetSafeHandle() != nullptr) {
        DrawBitmap(pDC, m_bmLogo, kLogo.left, kLogo.top, kLogo.right, kLogo.bottom, FALSE, 0);
    }
    const bool remotePlay = m_pClient && m_pClient->Play().IsRemotePlay();
    if (m_pLocalPlayer || remotePlay) {
        DrawBitmap(pDC, m_bmPlayStrip, kPlayStrip.left, kPlayStrip.top, kPlayStrip.right, kPlayStrip.bottom, FALSE, 0);
    }
    if (m_pClock) {
        m_pClock->Draw(pDC);
    }
    if (m_pPlayClock) {
        m_pPlayClock->Draw(pDC);
    }
    BuildRegion(pDC);
}

void CClientDlg::BuildRegion(CDC* pDC) {
    if (!m_bRegionPending) {
        return;
    }
    // Only a face painted whole can be scanned.
    CRect painted;
    pDC->GetClipBox(&painted);
    if (painted.left > 0 || painted.top > 0 || painted.right < kWidth || painted.bottom < kHeight) {
        return;
    }
    CRgn keyed;
    keyed.CreateRectRgn(0, 0, 0, 0);
    bool any = false;
    for (int y = 0; y < kHeight; ++y) {
        if (y >= 51 && y < 642) {
            continue;
        }
        // Runs of key pixels along the row join into one rectangle; the region is the same as
        // joining every pixel on its own.
        for (int x = 0; x < kWidth;) {
            if (!IsCornerBlock(x, y) || pDC->GetPixel(x, y) != kRegionKey) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < kWidth && IsCornerBlock(x, y) && pDC->GetPixel(x, y) == kRegionKey) {
                ++x;
            }
            CRgn run;
            run.CreateRectRgn(start, y, x, y + 1);
            keyed.CombineRgn(&keyed, &run, RGN_OR);
            any = true;
        }
    }
    if (!any) {
        return; // a skin without key pixels: try again at the next erase
    }
    m_bRegionPending = 0;
    CRgn client;
    client.CreateRectRgn(0, 0, kWidth, kHeight);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(shape, keyed, client, RGN_XOR);
    SetWindowRgn(shape, TRUE);
    // Painted again once this paint is over (a repaint from inside the paint would nest).
    Invalidate(TRUE);
}

LRESULT CClientDlg::OnNcHitTest(CPoint point) {
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT) {
        return hit;
    }
    CPoint client = point;
    ScreenToClient(&client);
    return (client.x >= 0 && client.y >= 0 && client.x < kWidth && client.y < kHeight) ? HTCAPTION : hit;
}
