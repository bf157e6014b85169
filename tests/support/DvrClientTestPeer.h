#pragma once
// What a test or the fuzz target sets of a client to put it in the state a message is to find:
// the flags a running connection would have set, and the hello reply's fields.

#include "protocol/DvrClient.h"

#include <atomic>
#include <functional>
#include <mutex>

struct DvrClientTestPeer {
    static std::atomic<BYTE>& Connected(CDvrClient& client) { return client.m_login.m_bConnected; }
    static std::atomic<BYTE>& Live(CDvrClient& client) { return client.m_live.m_bLive; }
    static std::atomic<bool>& LiveAsked(CDvrClient& client) { return client.m_live.m_liveAsked; }
    static std::atomic<BYTE>& RemotePlay(CDvrClient& client) { return client.m_play.m_bRemotePlay; }
    static std::atomic<BYTE>& Backup(CDvrClient& client) { return client.m_backup.m_bBackup; }
    static std::atomic<BYTE>& Recording(CDvrClient& client) { return client.m_commands.m_bRecording; }
    static std::atomic<DWORD>& AudioChannelMask(CDvrClient& client) { return client.m_media.m_audioChannelMask; }
    // Waits until remote playback's clock has handed on every frame it was given.
    static bool WaitPlayClockIdle(CDvrClient& client, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        return client.m_play.WaitClockIdle(limit);
    }
    // Changes the kept hello reply under the client's lock.
    static void EditHello(CDvrClient& client, const std::function<void(HelloInfo&)>& edit) {
        std::lock_guard lock(client.m_login.m_infoLock);
        edit(client.m_login.m_hello);
    }
};
