#pragma once
// The archive's local player as the main window holds it: the play bar's modes, the seek slider
// (a release becomes a seek once its target is given) and the channel selection's resync.

#include "app/MainWindowSeams.h"
#include "archive/LocalPlayer.h"

#include <memory>

class CLocalPlayerAdapter : public ILocalPlayer {
public:
    explicit CLocalPlayerAdapter(std::unique_ptr<CLocalPlayer> player) : m_player(std::move(player)) {}

    int GetMode() const override { return m_player->GetMode(); }
    // The seek slider's release resumes a pause with a step when the speed is 5 (paused after
    // forward play).
    int GetPrevMode() const override { return m_player->GetSpeed(); }
    void SetSeekState(int state) override;
    DWORD GetStartTime() const override { return m_player->GetRangeStart(); }
    void SetSeekTarget(DWORD seconds) override;
    void SetChannelChange(BYTE changed) override;
    void SetMode(int mode) override { m_player->SetMode(mode); }
    void Stop() override { m_player->Stop(); }
    void Close() override { m_player->Close(); }
    int GetChannelAudioState(int channel) const override { return m_player->GetChannelAudioState(channel); }
    int GetSpeedStep() const override { return m_player->GetSpeedStep(); }

    CLocalPlayer& Player() { return *m_player; }

private:
    std::unique_ptr<CLocalPlayer> m_player;
    bool m_releasePending = false;
};
