// What the client reports, as the main window's buttons show it. The client says what happened; which
// buttons show it, in which state, is decided here and nowhere else.
#include "app/ClientDlg.h"

#include "res/ButtonStates.h"
#include "res/PlayModes.h"

namespace {

constexpr int kPlayBarButtons = 7;
constexpr int kPlayBarRecord = IDC_RECORD - IDC_PLAY_FIRST; // recording, not transport
constexpr int kPlayBarBackward = 1;
constexpr int kPlayBarForward = 2;
constexpr int kPlayBarPause = 3;

int OnOff(bool on) {
    return on ? kButtonOn : kButtonNormal;
}

// The split buttons are 1, 4, 6, 7, 8, 9, 10, 13 and 16 tiles; the client chooses 4, 9 or 16.
int SplitButtonOfTiles(int tiles) {
    return tiles == 4 ? 1 : (tiles == 9 ? 5 : 8);
}

} // namespace

// The playback start reports its mode from the socket thread while a press of the play bar reports
// its own on the UI thread, so the two can arrive in either order: the face shows the mode reported
// last. The step modes leave the bar as it is.
void CClientDlg::ShowPlayMode(int mode) {
    if (mode != kPlayReverse && mode != kPlayForward && mode != kPlayPause) {
        return;
    }
    auto face = [this](int index, bool on) {
        if (CSkinButton* b = ButtonOf(ClientButton::PlayBar, index)) {
            b->SetState(OnOff(on));
        }
    };
    face(kPlayBarBackward, mode == kPlayReverse);
    face(kPlayBarForward, mode == kPlayForward);
    face(kPlayBarPause, mode == kPlayPause);
}

void CClientDlg::ShowClientEvent(ClientEvent event, int value) {
    auto face = [this](ClientButton button, int index, int state) {
        if (CSkinButton* b = ButtonOf(button, index)) {
            b->SetState(state);
        }
    };
    auto enable = [this](ClientButton button, int index, bool on) {
        if (CSkinButton* b = ButtonOf(button, index)) {
            b->Enable(on ? TRUE : FALSE);
        }
    };
    switch (event) {
    case ClientEvent::ConnectionState:
        face(ClientButton::Connect, 0, OnOff(value != 0));
        return;
    case ClientEvent::LoggedIn:
        enable(ClientButton::Live, 0, true);
        face(ClientButton::Live, 0, kButtonNormal);
        enable(ClientButton::Talk, 0, true);
        return;
    case ClientEvent::LiveState:
        face(ClientButton::Live, 0, OnOff(value != 0));
        return;
    case ClientEvent::ChannelLayout:
        ShowSplitButton(SplitButtonOfTiles(value));
        return;
    case ClientEvent::AudioOutState:
        face(ClientButton::Audio, 0, OnOff(value != 0));
        return;
    case ClientEvent::TalkState:
        face(ClientButton::Talk, 0, OnOff(value != 0));
        return;
    case ClientEvent::RecordingState:
        face(ClientButton::Record, 0, OnOff(value != 0));
        return;
    case ClientEvent::PtzMode:
        face(ClientButton::Pan, 0, OnOff(value == 0));
        face(ClientButton::Zoom, 0, OnOff(value == 1));
        return;
    case ClientEvent::PlaybackState:
        for (int i = 0; i < kPlayBarButtons; ++i) {
            if (i == kPlayBarRecord) {
                continue;
            }
            if (value == 0) {
                face(ClientButton::PlayBar, i, kButtonNormal);
            }
            enable(ClientButton::PlayBar, i, value != 0);
        }
        // The play bar goes dark when remote playback ends: its clock goes with it.
        if (value == 0 && (!m_pClient || !m_pClient->Play().IsRemotePlay())) {
            DestroyPlayClock();
        }
        if (value == 0) {
            // The strip under the play bar shows only while playback runs (drawn in once it started).
            InvalidatePlayStrip();
        }
        return;
    case ClientEvent::PlayMode:
        ShowPlayMode(m_pClient ? m_pClient->Play().GetShownPlayMode() : value);
        return;
    }
}
