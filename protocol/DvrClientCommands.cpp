// The recorder commands: audio on/off, recording, PTZ, two-way listening, reboot and power-off, and
// the answers to them and to the firmware upgrade.
#include "protocol/DvrClientCommands.h"

#include "protocol/DvrClient.h"

#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

namespace {

// PTZ commands of the four pad directions, in pan/tilt mode and in zoom/focus mode.
constexpr BYTE kPanCommands[4] = {2, 3, 1, 0};
constexpr BYTE kZoomCommands[4] = {4, 5, 7, 6};
constexpr BYTE kPresetCommandBase = 8;

} // namespace

void CDvrClientCommands::SendAudioOn() {
    if (!m_listenSwitch.load()) {
        return;
    }
    PacketHeader header = PacketHeader::Request(Msg::AUDIO_ONOFF_REQ, 0);
    header.w0 |= kAudioOnBit;
    m_client.SendPacket(header, nullptr, 0);
    Trace("Send... AUDIO_ONOFF_REQ...ON\n");
}

void CDvrClientCommands::SendAudioOff() {
    if (!m_listenSwitch.load()) {
        return;
    }
    m_client.SendPacket(PacketHeader::Request(Msg::AUDIO_ONOFF_REQ, 0), nullptr, 0);
    Trace("Send... AUDIO_ONOFF_REQ...OFF\n");
}

void CDvrClientCommands::SendRecOn() {
    m_client.SendPacket(PacketHeader::Request(Msg::REC_ON_REQ, 0), nullptr, 0);
    Trace("Send...REC_ON_REQ\n");
}

void CDvrClientCommands::SendRecOff() {
    m_client.SendPacket(PacketHeader::Request(Msg::REC_OFF_REQ, 0), nullptr, 0);
    Trace("Send...REC_OFF_REQ\n");
}

void CDvrClientCommands::SendPtzChannelReq(int channel, int mode) {
    const BYTE body[4] = {BYTE(channel), BYTE(mode), 0, 0};
    m_ptzChannel.store(channel);
    m_client.SendPacket(PacketHeader::Request(Msg::PTZ_CHANNEL_REQ, sizeof(body)), body, sizeof(body));
    Trace("Send...PTZ_CHANNEL_REQ...%d\n", channel);
}

void CDvrClientCommands::SendPtzMove(bool stop, int direction) {
    if (stop) {
        m_client.SendPacket(PacketHeader::Request(Msg::PTZ_MOVE_STOP, 0), nullptr, 0);
        Trace("Send...PTZ_MOVE_STOP\n");
        return;
    }
    const BYTE* commands = m_ptzMode.load() == 1 ? kZoomCommands : kPanCommands;
    const BYTE body[4] = {direction >= 0 && direction < 4 ? commands[direction] : BYTE(0), 0, 0, 0};
    m_client.SendPacket(PacketHeader::Request(Msg::PTZ_MOVE_REQ, sizeof(body)), body, sizeof(body));
    Trace("Send...PTZ_MOVE_REQ...%d\n", int(body[0]));
}

void CDvrClientCommands::SendPtzPreset(int kind, int number) {
    const BYTE body[4] = {BYTE(kPresetCommandBase + kind), BYTE(number & 0xFF), 0, BYTE((number >> 8) & 0xFF)};
    m_client.SendPacket(PacketHeader::Request(Msg::PTZ_MOVE_REQ, sizeof(body)), body, sizeof(body));
    Trace("Send...PTZ_MOVE_REQ(Preset)...%d %d\n", kind, number);
}

void CDvrClientCommands::SendAListenReq() {
    if (!m_listenSwitch.load()) {
        return;
    }
    m_client.SendPacket(PacketHeader::Request(Msg::A_LISTEN_REQ, 0), nullptr, 0);
    Trace("Send...A_LISTEN_REQ\n");
}

void CDvrClientCommands::SendAListenStop() {
    m_bListen.store(0);
    if (!m_listenSwitch.load() || !m_pMikeSender) {
        return;
    }
    // The sender ends first: a talk buffer behind the stop request would reach a recorder that
    // no longer listens.
    m_pMikeSender->Stop();
    m_pMikeSender.reset();
    m_client.SendPacket(PacketHeader::Request(Msg::A_LISTEN_STOP_REQ, 0), nullptr, 0);
    Trace("Send...A_LISTEN_STOP_REQ\n");
    m_client.Host().ReportEvent(ClientEvent::TalkState, 0);
}

void CDvrClientCommands::SendRebootReq() {
    m_client.SendPacket(PacketHeader::Request(Msg::REBOOT_REQ, 0), nullptr, 0);
    Trace("Send...REBOOT_REQ\n");
}

void CDvrClientCommands::SendPowerOffReq() {
    m_client.SendPacket(PacketHeader::Request(Msg::POWEROFF_REQ, 0), nullptr, 0);
    Trace("Send...POWEROFF_REQ\n");
}

int CDvrClientCommands::ChoosePtzChannel(int selectedChannel) const {
    const DWORD visible = m_client.Video() != nullptr ? m_client.Video()->GetVisibleChannelMask() : 0;
    const DWORD qualifying = visible & m_client.Live().GetAvailableMask();
    if (selectedChannel >= 0 && selectedChannel < 16 && (qualifying & (DWORD(1) << selectedChannel)) != 0) {
        return selectedChannel;
    }
    for (int ch = 0; ch < 16; ++ch) {
        if ((qualifying & (DWORD(1) << ch)) != 0) {
            return ch;
        }
    }
    return -1;
}

void CDvrClientCommands::ShowPtzDlg(int mode, int selectedChannel) {
    m_client.Host().ReportEvent(ClientEvent::PtzMode, mode == 0 ? 0 : 1);
    m_ptzMode.store(mode == 0 ? 0 : 1);
    if (m_ptzDialogOpen.exchange(true)) {
        return; // the open dialog only changes its mode
    }
    const int channel = ChoosePtzChannel(selectedChannel);
    if (channel >= 0) {
        SendPtzChannelReq(channel, m_ptzMode.load());
    }
}

void CDvrClientCommands::ClosePtz() {
    IClientHost& host = m_client.Host();
    host.ReportEvent(ClientEvent::PtzMode, -1);
    m_ptzChannel.store(0);
    m_ptzAvailability.store(0);
    if (m_ptzKeypadMode.load()) {
        host.PostToWindow(ClientWindow::MainWindow, WM_KELO_PTZ_KEYPAD, 3, 0);
    }
    m_ptzDialogOpen.store(false);
    // The keypad and the dome menu pad work only through the PTZ dialog: they close with it.
    host.PostToWindow(ClientWindow::PtzKeypad, kMsgClose, 0, 0);
    host.PostToWindow(ClientWindow::PtzMenu, kMsgClose, 0, 0);
    host.PostToWindow(ClientWindow::PtzDialog, kMsgClose, 0, 0);
}

namespace {

// Reads the u32 status of a 4-byte answer; false (traced) for a shorter payload.
bool ReadStatus(const RecvMessage& m, DWORD& status) {
    if (m.length < 4) {
        Trace("RecvFn_%s... size %u\n", MessageName(m.header.Id(), MsgDir::In), unsigned(m.length));
        return false;
    }
    status = ReadBE32(m.data);
    return true;
}

} // namespace

bool CDvrClientCommands::RecvFn_RecOnAck(const RecvMessage& m) {
    DWORD status = 0;
    if (ReadStatus(m, status)) {
        const bool on = status == 49 || status == 51;
        SetRecording(on);
    }
    return true;
}

bool CDvrClientCommands::RecvFn_RecOffAck(const RecvMessage& m) {
    return RecvFn_RecOnAck(m);
}

bool CDvrClientCommands::RecvFn_RecOnNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientCommands::RecvFn_RecOffNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientCommands::RecvFn_PtzChannelAck(const RecvMessage& m) {
    if (m.length < 1) {
        Trace("RecvFn_PtzChannelAck... empty\n");
        return true;
    }
    const int availability = m.data[0] == 1 ? 2 : 1;
    m_ptzAvailability.store(availability);
    m_client.Host().PostToWindow(ClientWindow::PtzDialog, WM_KELO_PTZ_AVAILABILITY, WPARAM(availability),
                                 m_ptzKeypadMode.load() ? 0 : 1);
    return true;
}

bool CDvrClientCommands::RecvFn_AListenAck(const RecvMessage&) {
    m_bListen.store(1);
    m_client.Host().PostToWindow(ClientWindow::MainWindow, WM_KELO_MIKE_START, 0, 0);
    return true;
}

bool CDvrClientCommands::RecvFn_AListenNack(const RecvMessage& m) {
    const LONG reason = ParseReply(m.data, m.length, nullptr);
    if (reason == 2 || reason == 53 || reason == 55 || reason == 98) {
        m_bListen.store(0);
        m_client.Host().PostToWindow(ClientWindow::MainWindow, WM_KELO_MIKE_STOP, 0, 0);
        std::this_thread::yield();
    }
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientCommands::RecvFn_AListenStopAck(const RecvMessage&) {
    return true;
}

bool CDvrClientCommands::RecvFn_RebootAck(const RecvMessage&) {
    return true;
}

bool CDvrClientCommands::RecvFn_RebootNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientCommands::RecvFn_PowerOffAck(const RecvMessage&) {
    return true;
}

bool CDvrClientCommands::RecvFn_PowerOffNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientCommands::RecvFn_SendTestMailAck(const RecvMessage&) {
    return true;
}

bool CDvrClientCommands::RecvFn_SendTestMailNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

bool CDvrClientCommands::RecvFn_FwUpdateAck(const RecvMessage&) {
    m_client.Host().PostToWindow(ClientWindow::FirmwareDialog, WM_KELO_FW_UPDATE_ACK, 0, 0);
    return true;
}

bool CDvrClientCommands::RecvFn_FwUpdateNack(const RecvMessage& m) {
    m_client.Host().PostToWindow(ClientWindow::FirmwareDialog, WM_KELO_FW_UPDATE_NACK,
                                 WPARAM(DWORD(ParseReply(m.data, m.length, nullptr))), 0);
    return true;
}

bool CDvrClientCommands::RecvFn_FwDataRxDone(const RecvMessage&) {
    m_client.Host().PostToWindow(ClientWindow::FirmwareDialog, WM_KELO_FW_DATA_RX_DONE, 0, 0);
    return true;
}

bool CDvrClientCommands::RecvFn_FwDataRxFail(const RecvMessage& m) {
    m_client.Host().PostToWindow(ClientWindow::FirmwareDialog, WM_KELO_FW_DATA_RX_FAIL,
                                 WPARAM(DWORD(ParseReply(m.data, m.length, nullptr))), 0);
    return true;
}

bool CDvrClientCommands::RecvFn_FwUpdateDone(const RecvMessage&) {
    m_client.Host().PostToWindow(ClientWindow::FirmwareDialog, WM_KELO_FW_UPDATE_DONE, 0, 0);
    return true;
}

bool CDvrClientCommands::RecvFn_FwUpdateFail(const RecvMessage& m) {
    m_client.Host().PostToWindow(ClientWindow::FirmwareDialog, WM_KELO_FW_UPDATE_FAIL,
                                 WPARAM(DWORD(ParseReply(m.data, m.length, nullptr))), 0);
    return true;
}

void CDvrClientCommands::SetRecording(bool on) {
    m_bRecording.store(on ? 1 : 0);
    m_client.Host().ReportEvent(ClientEvent::RecordingState, on ? 1 : 0);
}

void CDvrClientCommands::SetMikeSender(std::unique_ptr<IWorker> sender) {
    StopMikeSender();
    m_pMikeSender = std::move(sender);
}

bool CDvrClientCommands::StopMikeSender() {
    if (!m_pMikeSender) {
        return false;
    }
    m_pMikeSender->Stop();
    m_pMikeSender.reset();
    return true;
}
