#include "app/LocalPlayerAdapter.h"

void CLocalPlayerAdapter::SetSeekState(int state) {
    // The release comes before its target: the seek waits for the target, so the player never
    // seeks to the previous one.
    if (state == 3) {
        m_releasePending = true;
        return;
    }
    m_player->SetSeekState(state);
}

void CLocalPlayerAdapter::SetSeekTarget(DWORD seconds) {
    if (m_releasePending) {
        m_releasePending = false;
        m_player->Seek(seconds);
    }
}

void CLocalPlayerAdapter::SetChannelChange(BYTE changed) {
    if (changed != 0) {
        m_player->SetResync();
    }
}
