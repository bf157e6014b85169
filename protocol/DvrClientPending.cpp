// Stand-ins for the handlers and operations of live view, setup transfer, playback, backup and the
// recorder commands, until those are built: each consumes its message (the socket thread has
// already read the payload) and refusals post their notice by the table.
#include "protocol/DvrClient.h"

#include "protocol/MessageIds.h"
#include "protocol/Packet.h"

bool CDvrClient::RecvFn_LiveChannelInfo(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_LiveData(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_LiveNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_LiveStopAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_LiveStopNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_SysEtcInfoEx(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_RecOnAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_RecOnNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_RecOffAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_RecOffNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_PlayChannelInfo(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_PlayOnAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_PlayOnNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_PlayOffAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_PlayOffNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_PlayFlow(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_TransOnAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_TransOnNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_TransOffAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_TransOffNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_DBInfoAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_DBInfoNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_DBUpdateAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_DBUpdateNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_DstInfo(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_DvrTimeAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_FwUpdateAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_RecStatus(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_Message257(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_DBChange(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_SysEtcInfo(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_PlayData(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_PlayOnFail(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_PlayOnDone(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_RightChange(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_AListenAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_AListenNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_AListenStopAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_PtzChannelAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_TransOnData(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_TransOnDone(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_TransOnFail(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_FwUpdateNack(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_FwDataRxDone(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_FwDataRxFail(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_FwUpdateDone(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_FwUpdateFail(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_DBInitAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_DBInitNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_SendTestMailAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_SendTestMailNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_RebootAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_RebootNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

bool CDvrClient::RecvFn_PowerOffAck(const RecvMessage&) {
    return true;
}

bool CDvrClient::RecvFn_PowerOffNack(const RecvMessage& m) {
    PostRefusal(m);
    return true;
}

void CDvrClient::SendLiveReq() {
    BYTE mask[4] = {0, 0, 0xFF, 0xFF};
    SendPacket(PacketHeader::Request(Msg::LIVE_REQ, sizeof mask), mask, sizeof mask);
}

void CDvrClient::SendLiveStop() {
    m_bLive.store(0);
    SendPacket(PacketHeader::Request(Msg::LIVE_STOP, 0), nullptr, 0);
}

void CDvrClient::SendPlayStop() {
    m_bRemotePlay.store(0);
    SendPacket(PacketHeader::Request(Msg::RPLAY_STOP, 0), nullptr, 0);
}

void CDvrClient::SendTransOff() {
    m_bBackup.store(0);
    SendPacket(PacketHeader::Request(Msg::TRANS_OFF_REQ, 0), nullptr, 0);
}

void CDvrClient::SendAListenStop() {
    m_bListen.store(0);
    SendPacket(PacketHeader::Request(Msg::A_LISTEN_STOP_REQ, 0), nullptr, 0);
}

void CDvrClient::StartAudioOut(int) {}

void CDvrClient::StopAudioOut() {}
