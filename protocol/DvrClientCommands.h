#pragma once
// The recorder commands of the main window: audio on and off, recording, PTZ, two-way listening,
// reboot and power-off, and the answers to them and to the firmware upgrade.
// Threads: the UI thread sends the requests and owns the microphone sender; the socket thread
// handles the answers. What both touch is atomic.

#include "platform/base/WinTypes.h"
#include "protocol/IWorker.h"
#include "protocol/RecvMessage.h"

#include <atomic>
#include <memory>

class CDvrClient;

class CDvrClientCommands {
public:
    explicit CDvrClientCommands(CDvrClient& client) : m_client(client) {}
    CDvrClientCommands(const CDvrClientCommands&) = delete;
    CDvrClientCommands& operator=(const CDvrClientCommands&) = delete;
    friend struct DvrClientTestPeer;

    void SendAudioOn();
    void SendAudioOff();
    void SendRecOn();
    void SendRecOff();
    // mode 0 pan and tilt, 1 zoom and focus.
    void SendPtzChannelReq(int channel, int mode);
    void SendPtzMove(bool stop, int direction);
    void SendPtzPreset(int kind, int number);
    void SendAListenReq();
    void SendAListenStop();
    void SendRebootReq();
    void SendPowerOffReq();

    // The PTZ dialog opened in a mode (0 pan, 1 zoom): its state and PTZ_CHANNEL_REQ for the chosen
    // channel. The window itself is the main window's.
    void ShowPtzDlg(int mode, int selectedChannel);
    void ClosePtz();
    // A visible channel with a camera: the selected one when it qualifies, else the first; -1 none.
    int ChoosePtzChannel(int selectedChannel) const;
    void SetPtzKeypadMode(bool on) { m_ptzKeypadMode.store(on); }
    int GetPtzChannel() const { return m_ptzChannel.load(); }
    int GetPtzAvailability() const { return m_ptzAvailability.load(); }
    bool IsPtzDialogOpen() const { return m_ptzDialogOpen.load(); }
    // The open PTZ dialog's mode (0 pan, 1 zoom), -1 while none is open.
    int GetPtzMode() const { return m_ptzDialogOpen.load() ? m_ptzMode.load() : -1; }

    // The recorder's recording state, from the command answers and REC_STATUS (socket thread).
    bool IsRecording() const { return m_bRecording.load() != 0; }
    void SetRecording(bool on);
    // Two-way audio accepted or ended by the main window.
    bool IsListening() const { return m_bListen.load() != 0; }
    void SetListening(bool on) { m_bListen.store(on ? 1 : 0); }
    // The main window's audio switch (UI thread publishes; audio requests and output read it).
    void SetListenSwitch(bool on) { m_listenSwitch.store(on); }
    bool IsListenSwitchOn() const { return m_listenSwitch.load(); }
    // The microphone sender, kept while it runs: the running one is stopped first; null keeps none.
    void SetMikeSender(std::unique_ptr<IWorker> sender);
    bool HasMikeSender() const { return m_pMikeSender != nullptr; }
    // Stops and releases the sender; false when none ran.
    bool StopMikeSender();

    // ---- Handlers (socket thread)
    bool RecvFn_RecOnAck(const RecvMessage& m);
    bool RecvFn_RecOnNack(const RecvMessage& m);
    bool RecvFn_RecOffAck(const RecvMessage& m);
    bool RecvFn_RecOffNack(const RecvMessage& m);
    bool RecvFn_PtzChannelAck(const RecvMessage& m);
    bool RecvFn_AListenAck(const RecvMessage& m);
    bool RecvFn_AListenNack(const RecvMessage& m);
    bool RecvFn_AListenStopAck(const RecvMessage& m);
    bool RecvFn_RebootAck(const RecvMessage& m);
    bool RecvFn_RebootNack(const RecvMessage& m);
    bool RecvFn_PowerOffAck(const RecvMessage& m);
    bool RecvFn_PowerOffNack(const RecvMessage& m);
    bool RecvFn_SendTestMailAck(const RecvMessage& m);
    bool RecvFn_SendTestMailNack(const RecvMessage& m);
    bool RecvFn_FwUpdateAck(const RecvMessage& m);
    bool RecvFn_FwUpdateNack(const RecvMessage& m);
    bool RecvFn_FwDataRxDone(const RecvMessage& m);
    bool RecvFn_FwDataRxFail(const RecvMessage& m);
    bool RecvFn_FwUpdateDone(const RecvMessage& m);
    bool RecvFn_FwUpdateFail(const RecvMessage& m);

private:
    CDvrClient& m_client;
    std::atomic<BYTE> m_bRecording{0};
    std::atomic<BYTE> m_bListen{0};
    std::atomic<bool> m_listenSwitch{false};
    std::unique_ptr<IWorker> m_pMikeSender; // UI thread

    std::atomic<int> m_ptzChannel{0};
    std::atomic<int> m_ptzAvailability{0};
    std::atomic<int> m_ptzMode{0};
    std::atomic<bool> m_ptzKeypadMode{false};
    std::atomic<bool> m_ptzDialogOpen{false};
};
