#include "archive/MainWindowLocalPlayer.h"

void CMainWindowLocalPlayer::SetSeekState(int state) {
    // A release comes before its target: the seek is asked for once the target is known, so the
    // player never seeks to the previous one.
    if (state == 3) {
        m_releasePending = true;
        return;
    }
    m_player->SetSeekState(state);
}

void CMainWindowLocalPlayer::SetSeekTarget(DWORD seconds) {
    if (m_releasePending) {
        m_releasePending = false;
        m_player->Seek(seconds);
    }
}

void CMainWindowLocalPlayer::SetChannelChange(BYTE changed) {
    if (changed != 0) {
        m_player->SetResync();
    }
}
