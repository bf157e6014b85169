#include "sim/SimSession.h"

#include "sim/RequestCheck.h"
#include "sim/SimRandom.h"
#include "sim/StreamLibrary.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

namespace ksim {

namespace {

constexpr size_t kHelloSize = 768;
constexpr size_t kSetupFragment = 2500;
constexpr size_t kFirmwareLimit = 64u << 20;
// Refusal reasons this recorder uses for requests it cannot serve.
constexpr uint32_t kReasonFailed = 1;
constexpr uint32_t kReasonNothingFound = 83;
constexpr uint32_t kReasonBadRecord = 81;

std::string SlotText(const uint8_t* p, size_t size) {
    return std::string(reinterpret_cast<const char*>(p), strnlen(reinterpret_cast<const char*>(p), size));
}

uint32_t Crc(const Bytes& data, size_t offset = 0) {
    return uint32_t(crc32(0L, data.data() + offset, uInt(data.size() - offset)));
}

} // namespace

CSimSession::CSimSession(CSimRecorder& recorder, int fd, const std::atomic<bool>& serverStop)
    : m_recorder(recorder), m_config(recorder.Config()), m_fd(fd), m_serverStop(serverStop) {
    m_sender = std::make_unique<CSimSender>(fd, m_config, recorder.Journal());
    m_liveThread = std::thread([this] { LiveLoop(); });
}

CSimSession::~CSimSession() {
    Close();
    StopPlayback();
    StopBackup();
    {
        std::lock_guard lock(m_liveLock);
        m_liveStop = true;
        m_liveChanged.notify_all();
    }
    m_sender->Stop(); // wakes a live thread waiting on a full queue
    if (m_liveThread.joinable())
        m_liveThread.join();
    m_sender.reset();
    ::close(m_fd);
}

void CSimSession::Close() {
    m_closing = true;
    ::shutdown(m_fd, SHUT_RDWR);
}

void CSimSession::Inject(Bytes raw) {
    m_sender->SendRaw(std::move(raw));
}

void CSimSession::InjectMessage(uint16_t id, Bytes payload, bool last) {
    OutMessage m;
    m.header.id = id;
    m.header.length = uint32_t(std::min(payload.size(), kMaxPayload));
    m.header.last = last;
    payload.resize(m.header.length);
    m.payload = std::move(payload);
    m.endOfItem = true;
    m_sender->SendItem(OutItem{std::move(m)});
}

bool CSimSession::ReadExact(uint8_t* data, size_t size) {
    while (size > 0) {
        if (m_closing || m_serverStop)
            return false;
        // Once the sender has failed (the client closed with our data unread, so its kernel reset the
        // connection) the requests it sent before closing are still read, as a recorder would: a BYE48
        // followed at once by the close is still seen. Only what is already here is read then.
        const bool draining = m_sender->Broken();
        pollfd p{m_fd, POLLIN, 0};
        const int r = ::poll(&p, 1, draining ? 0 : 100);
        if (r == 0 && draining)
            return false;
        if (r == 0)
            continue;
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return false;
        const ssize_t n = ::recv(m_fd, data, size, 0);
        if (n == 0)
            return false;
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

void CSimSession::Run() {
    m_recorder.Journal().AddSession();
    uint8_t head[kHeaderSize];
    while (ReadExact(head, kHeaderSize)) {
        const WireHeader h = DecodeHeader(head);
        Bytes payload(h.length);
        if (!ReadExact(payload.data(), payload.size()))
            break;
        if (m_config.verbose)
            std::fprintf(stderr, "sim: recv %s len=%u%s%s\n", MessageName(h.id, true).c_str(), h.length,
                         h.last ? " last" : "", h.audioOn ? " audio" : "");
        m_recorder.Journal().AddReceived(h, payload, m_recorder.Clock().NowMs());
        const std::string what =
            m_config.lenient ? std::string() : CRequestCheck::Check(h, payload, {m_loggedIn, m_uploading, m_listening});
        if (!what.empty()) {
            if (!Reject(h, what))
                break;
            continue;
        }
        Dispatch(h, payload);
    }
    if (m_config.verbose)
        std::fprintf(stderr, "sim: session ends\n");
}

void CSimSession::EndAfterFlush(int delayMs) {
    m_sender->Flush(2000);
    if (delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    Close();
}

bool CSimSession::Reject(const WireHeader& h, const std::string& what) {
    const std::string name = MessageName(h.id, true);
    std::fprintf(stderr, "protocol-violation %s %s\n", name.c_str(), what.c_str());
    m_recorder.CountViolation();
    if (h.id == msg::HELLO) {
        m_sender->Send(msg::BYE48, Be32Payload(m_config.loginFailReason));
        EndAfterFlush(0);
        return false;
    }
    if (h.id == msg::FW_DATA && m_uploading) {
        m_uploading = false;
        m_sender->Send(msg::FW_DATA_RX_FAIL, Be32Payload(kReasonFailed));
        return true;
    }
    const uint16_t refusal = m_loggedIn ? RefusalFor(h.id) : 0;
    if (refusal == 0) {
        // Nothing a recorder could answer with: it drops the client.
        EndAfterFlush(0);
        return false;
    }
    m_sender->Send(refusal, Be32Payload(h.id == msg::DB_UPDATE_REQ ? kReasonBadRecord : kReasonFailed));
    return true;
}

bool CSimSession::Refused(uint16_t request) {
    const uint16_t refusal = RefusalFor(request);
    const SimRefusal* r = refusal ? m_config.FindRefusal(refusal) : nullptr;
    if (!r)
        return false;
    SendRefusal(*r);
    return true;
}

void CSimSession::SendRefusal(const SimRefusal& r) {
    Bytes payload = Be32Payload(r.reason);
    if (r.extra) {
        payload.resize(12);
        PutBe32(&payload[4], r.extra1);
        PutBe32(&payload[8], r.extra2);
    }
    m_sender->Send(r.refusalId, std::move(payload));
}

void CSimSession::Dispatch(const WireHeader& h, const Bytes& payload) {
    if (m_config.FindFault(FaultKind::Drop, h.id))
        return;
    if (const SimFault* delay = m_config.FindFault(FaultKind::Delay, h.id))
        std::this_thread::sleep_for(std::chrono::milliseconds(delay->value));
    if (h.id == msg::HELLO) {
        OnHello(payload);
        return;
    }
    if (!m_loggedIn)
        return; // a recorder serves nothing before the login
    switch (h.id) {
    case msg::BYE48:
        // The client is leaving: the recorder stops what it serves and closes the connection.
        StopLive();
        StopPlayback();
        StopBackup();
        EndAfterFlush(0);
        break;
    case msg::LIVE_REQ:
        if (!Refused(h.id))
            OnLiveReq(payload);
        break;
    case msg::LIVE_STOP:
        if (!Refused(h.id))
            OnLiveStop();
        break;
    case msg::AUDIO_ONOFF_REQ:
        m_sender->SetAudio(h.audioOn, m_listeningChannel);
        break;
    case msg::REC_ON_REQ:
    case msg::REC_OFF_REQ:
        if (!Refused(h.id))
            OnRecord(h.id == msg::REC_ON_REQ);
        break;
    case msg::PLAY_PREV_STEP:
    case msg::PLAY_BACKWARD:
    case msg::PLAY_FORWARD:
    case msg::PLAY_PAUSE:
    case msg::PLAY_NEXT_STEP:
    case msg::PLAY_STEP_DATA:
    case msg::PLAY_CH_CHANGE:
        OnPlayCommand(h.id, payload);
        break;
    case msg::PLAY_ON_REQ:
        if (!Refused(h.id))
            OnPlayOn(payload);
        break;
    case msg::RPLAY_STOP:
        if (!Refused(h.id)) {
            StopPlayback();
            m_sender->Send(msg::PLAY_OFF_ACK);
        }
        break;
    case msg::TRANS_ON_REQ:
        if (!Refused(h.id))
            OnTransOn(payload);
        break;
    case msg::TRANS_OFF_REQ:
        if (!Refused(h.id))
            OnTransOff();
        break;
    case msg::TRANS_DATA_REQ:
        OnTransData(payload);
        break;
    case msg::CAPA_CAL_CANCEL:
        break; // sizes are computed at once: nothing is pending
    case msg::DB_INFO_REQ:
        if (!Refused(h.id))
            OnDbInfo();
        break;
    case msg::DB_UPDATE_REQ:
        if (!Refused(h.id))
            OnDbUpdate(payload);
        break;
    case msg::DB_INIT_REQ:
        if (!Refused(h.id))
            OnDbInit();
        break;
    case msg::DVR_TIME_REQ:
        m_sender->Send(msg::DVR_TIME_ACK, Be32Payload(m_recorder.Clock().NowSeconds()));
        break;
    case msg::FW_UPDATE_REQ:
        if (!Refused(h.id))
            OnFwUpdate(payload);
        break;
    case msg::FW_DATA:
        OnFwData(h, payload);
        break;
    case msg::PLAY_INFO_MONTH_REQ:
        OnList(h.id, msg::PLAY_INFO_MONTH_ACK, msg::PLAY_INFO_MONTH_NACK, m_recorder.Archive().MonthRecords());
        break;
    case msg::TRANS_INFO_MONTH_REQ:
        OnList(h.id, msg::TRANS_INFO_MONTH_ACK, msg::TRANS_INFO_MONTH_NACK, m_recorder.Archive().MonthRecords());
        break;
    case msg::PLAY_INFO_DAY_REQ:
        OnDayList(h.id, msg::PLAY_INFO_DAY_ACK, msg::PLAY_INFO_DAY_NACK, payload);
        break;
    case msg::TRANS_INFO_DAY_REQ:
        OnDayList(h.id, msg::TRANS_INFO_DAY_ACK, msg::TRANS_INFO_DAY_NACK, payload);
        break;
    case msg::EVENT_INFO_REQ:
        OnList(h.id, msg::EVENT_INFO_ACK, msg::EVENT_INFO_NACK, m_recorder.Archive().EventRecords());
        break;
    case msg::LOG_INFO_REQ:
        OnList(h.id, msg::LOG_INFO_ACK, msg::LOG_INFO_NACK, m_recorder.Archive().LogRecords());
        break;
    case msg::STATUS_INFO_REQ:
        OnList(h.id, msg::STATUS_INFO_ACK, msg::STATUS_INFO_NACK, m_recorder.Archive().StatusRecord());
        break;
    case msg::SYSTEM_INFO_REQ: {
        const char text[] = "KELO1000 recorder simulator";
        OnList(h.id, msg::SYSTEM_INFO_ACK, msg::SYSTEM_INFO_NACK, Bytes(text, text + sizeof(text)));
        break;
    }
    case msg::SEND_TEST_MAIL_REQ:
        if (Refused(h.id))
            break;
        if (payload.size() == CSetupRecord::kEmailSize)
            m_sender->Send(msg::SEND_TEST_MAIL_ACK);
        else
            m_sender->Send(msg::SEND_TEST_MAIL_NACK, Be32Payload(kReasonFailed));
        break;
    case msg::REBOOT_REQ:
    case msg::POWEROFF_REQ:
        if (Refused(h.id))
            break;
        // The recorder goes away once it has answered; the simulator takes the next client.
        StopLive();
        StopPlayback();
        StopBackup();
        m_sender->Send(h.id == msg::REBOOT_REQ ? msg::REBOOT_ACK : msg::POWEROFF_ACK);
        EndAfterFlush(200);
        break;
    case msg::A_LISTEN_REQ:
        if (Refused(h.id))
            break;
        m_listening = true;
        m_sender->Send(msg::A_LISTEN_ACK);
        break;
    case msg::TALK_DATA: {
        const bool wellFormed = payload.size() == 2048 &&
                                std::all_of(payload.begin(), payload.begin() + 1536, [](uint8_t b) { return b == 0; });
        m_recorder.CountTalk(wellFormed);
        break;
    }
    case msg::A_LISTEN_STOP_REQ:
        m_listening = false;
        m_sender->Send(msg::A_LISTEN_STOP_ACK);
        break;
    case msg::PTZ_CHANNEL_REQ: {
        const int channel = payload.empty() ? -1 : payload[0];
        Bytes ack(4, 0);
        ack[0] = m_recorder.Setup().HasPtz(channel) ? 1 : 0;
        m_sender->Send(msg::PTZ_CHANNEL_ACK, std::move(ack));
        break;
    }
    case msg::PTZ_MOVE_REQ:
    case msg::PTZ_MOVE_STOP:
        break; // kept in the journal; a camera would move
    default:
        break;
    }
}

Bytes CSimSession::HelloReply() const {
    Bytes b(kHelloSize, 0);
    b[0] = m_config.protocolMajor;
    b[1] = m_config.protocolMinor;
    b[2] = m_config.product;
    b[3] = m_config.productMajor;
    b[4] = m_config.productMinor;
    b[5] = m_config.frontVersion;
    b[6] = uint8_t(m_config.channels);
    b[7] = m_config.helloAccount;
    std::memcpy(&b[8], m_config.mac.data(), 6);
    b[14] = m_config.subProductMajor;
    b[15] = m_config.subProductMinor;
    // The client shows part 0 as the loader, 2 as the kernel, 5 as the program, 3 as the files and
    // 4 as the web pages; part 1 (the front panel) it does not offer.
    static const char* const kParts[6] = {"BOOT", "FRONT", "KERNEL", "FILESYSTEM", "WEB", "APPLICATION"};
    for (size_t i = 0; i < 6; ++i) {
        std::memcpy(&b[48 + i * 32], kParts[i], std::strlen(kParts[i]));
        PutBe32(&b[688 + i * 4], m_config.firmwareTime + uint32_t(i) * 86400);
    }
    return b;
}

Bytes CSimSession::RecStatus() const {
    Bytes b(16, 0);
    const bool on = m_recorder.Recording();
    PutBe32(&b[0], on ? 49 : 50);
    PutBe32(&b[4], on ? 0 : 6); // recording mode: below 6 = recording
    return b;
}

void CSimSession::OnHello(const Bytes& payload) {
    if (m_loggedIn)
        return;
    if (const SimRefusal* r = m_config.FindRefusal(msg::BYE48)) {
        SendRefusal(*r);
        EndAfterFlush(0);
        return;
    }
    if (payload.size() != 32) {
        m_sender->Send(msg::BYE48, Be32Payload(m_config.loginFailReason));
        EndAfterFlush(0);
        return;
    }
    const std::string user = SlotText(payload.data(), 16);
    const std::string password = SlotText(payload.data() + 16, 16);
    const CSetupRecord setup = m_recorder.Setup();
    const int account = setup.FindAccount(user, password);
    if (account < 0 || !setup.MayConnect(account)) {
        m_sender->Send(msg::BYE48, Be32Payload(account < 0 ? m_config.loginFailReason : 37));
        EndAfterFlush(0);
        return;
    }
    m_loggedIn = true;
    m_sender->Send(msg::HELLO48_ACK, HelloReply());
    SendLoginPushes();
    for (const auto& f : m_config.faults) {
        if (f.kind != FaultKind::Garbage)
            continue;
        CSimRandom rnd(m_config.seed ^ 0x6A5BA6Eull);
        Bytes junk(size_t(f.value));
        for (auto& byte : junk)
            byte = uint8_t(rnd.Next());
        m_sender->SendRaw(std::move(junk));
    }
    for (const auto& f : m_config.faults) {
        if (f.kind != FaultKind::Bye)
            continue;
        m_sender->Send(msg::BYE48, Be32Payload(uint32_t(f.value)));
        if (f.value2 >= 0)
            EndAfterFlush(int(f.value2));
    }
}

void CSimSession::SendLoginPushes() {
    // The client learns its rights only from RIGHT_CHANGE, and answers the hello at once with
    // LIVE_REQ, so all of these go out before anything else is read.
    const CSetupRecord setup = m_recorder.Setup();
    m_sender->Send(msg::RIGHT_CHANGE, setup.RightsTable());
    m_sender->Send(msg::DB_CHANGE, setup.DbChange(++m_dbChangeCounter, m_listeningChannel));
    m_sender->Send(msg::SYS_ETC_INFO, CSetupRecord::SysEtcInfo());
    m_sender->Send(msg::SYS_ETC_INFO_EX, CSetupRecord::SysEtcInfoEx());
    m_sender->Send(msg::DST_INFO, CSetupRecord::DstInfo());
    m_sender->Send(msg::REC_STATUS, RecStatus());
    m_sender->Send(msg::MESSAGE_257, Message257());
}

Bytes CSimSession::Message257() {
    // Three words that the client reads past; this recorder fills them with a running count so
    // that a client that took them for something would show it.
    Bytes b(12, 0);
    PutBe32(&b[0], ++m_message257Count);
    PutBe32(&b[4], 0x2570000u);
    PutBe32(&b[8], 0x2570001u);
    return b;
}

void CSimSession::PushSetupChanges() {
    const CSetupRecord setup = m_recorder.Setup();
    m_sender->Send(msg::DB_CHANGE, setup.DbChange(++m_dbChangeCounter, m_listeningChannel));
    m_sender->Send(msg::RIGHT_CHANGE, setup.RightsTable());
}

// ---- live ----

void CSimSession::OnLiveReq(const Bytes& payload) {
    const uint32_t requested = payload.size() >= 4 ? GetBe32(payload.data()) : 0;
    StartLive(uint16_t(requested));
}

void CSimSession::StartLive(uint16_t requested) {
    const int channels = m_config.ServedChannels();
    const uint16_t cameras = uint16_t(((1u << channels) - 1) & ~m_config.videoLoss);
    const uint16_t streamed = requested & cameras;
    std::lock_guard lock(m_liveLock);
    m_liveMask = streamed;
    ++m_liveGeneration;
    m_liveFrame.fill(0); // every channel starts again with an IDR
    m_sender->SetLiveGeneration(m_liveGeneration);
    OutItem info =
        m_sender->Build(msg::LIVE_CHANNEL_INFO, Be32Payload(uint32_t(cameras) | uint32_t(streamed) << 16), kMaxPayload);
    for (auto& m : info)
        m.liveGeneration = m_liveGeneration;
    // Through the bulk queue, so that it stays in order with the frames around it.
    std::atomic<bool> never{false};
    m_sender->SendBulk(std::move(info), never);
    m_liveChanged.notify_all();
}

void CSimSession::StopLive() {
    std::lock_guard lock(m_liveLock);
    m_liveMask = 0;
    ++m_liveGeneration;
    m_sender->SetLiveGeneration(m_liveGeneration);
    m_liveChanged.notify_all();
}

void CSimSession::OnLiveStop() {
    StopLive();
    m_sender->Send(msg::LIVE_STOP_ACK);
}

void CSimSession::LiveLoop() {
    using Clock = std::chrono::steady_clock;
    const CFrameBuilder builder(m_recorder.Library());
    const int fps = m_config.Video().fps;
    const auto period = std::chrono::microseconds(1000000 / fps);
    auto next = Clock::now();
    while (true) {
        uint16_t mask = 0;
        uint64_t generation = 0;
        {
            std::unique_lock lock(m_liveLock);
            m_liveChanged.wait(lock, [&] { return m_liveStop || m_liveMask != 0; });
            if (m_liveStop)
                return;
            mask = m_liveMask;
            generation = m_liveGeneration;
        }
        std::this_thread::sleep_until(next);
        next += period;
        if (Clock::now() - next > std::chrono::seconds(1))
            next = Clock::now(); // fell behind a slow client: keep the pictures, drop the schedule
        const int64_t nowMs = m_recorder.Clock().NowMs();
        const uint32_t seconds = uint32_t(nowMs / 1000);
        const uint16_t ms = uint16_t(nowMs % 1000);
        for (int ch = 0; ch < 16; ++ch) {
            if (!(mask & (1u << ch)))
                continue;
            uint64_t n = 0;
            {
                std::lock_guard lock(m_liveLock);
                if (m_liveGeneration != generation)
                    break;
                n = m_liveFrame[size_t(ch)]++;
            }
            Bytes frame = builder.Frame(ch, n, seconds, ms, m_sender->AudioOn());
            OutItem item = m_sender->Build(msg::LIVE_DATA, std::move(frame), m_config.fragment, 0, seconds);
            for (auto& m : item)
                m.liveGeneration = generation;
            if (!m_sender->SendBulk(std::move(item), m_liveStop))
                return;
        }
    }
}

// ---- commands ----

void CSimSession::OnRecord(bool on) {
    m_recorder.SetRecording(on);
    m_sender->Send(on ? msg::REC_ON_ACK : msg::REC_OFF_ACK, Be32Payload(on ? 49 : 50));
    m_sender->Send(msg::REC_STATUS, RecStatus());
}

// ---- playback ----

void CSimSession::StopPlayback() {
    m_playback.reset();
}

void CSimSession::OnPlayOn(const Bytes& payload) {
    if (payload.size() < 24) {
        m_sender->Send(msg::PLAY_ON_NACK, Be32Payload(kReasonFailed));
        return;
    }
    const uint16_t mask = uint16_t(GetBe32(payload.data()));
    const uint8_t types = payload[4];
    const uint32_t start = GetBe32(payload.data() + 16);
    const uint32_t end = GetBe32(payload.data() + 20);
    // Playback starts at the requested second, or where the first recording begins after it; played
    // backward it goes on into what was recorded before that second, as far as the recording goes.
    auto pieces = m_recorder.Archive().Select(mask, types, 0, end);
    if (std::none_of(pieces.begin(), pieces.end(), [start](const SimPiece& p) { return p.to > start; })) {
        m_sender->Send(msg::PLAY_ON_NACK, Be32Payload(kReasonNothingFound));
        return;
    }
    StopPlayback();
    m_sender->Send(msg::PLAY_ON_ACK);
    m_playback = std::make_unique<CSimPlayback>(m_recorder, *m_sender, std::move(pieces), start);
}

void CSimSession::OnPlayCommand(uint16_t id, const Bytes& payload) {
    if (!m_playback)
        return;
    switch (id) {
    case msg::PLAY_STEP_DATA:
        if (payload.size() >= 4)
            m_playback->AddCredit(GetBe32(payload.data()));
        break;
    case msg::PLAY_CH_CHANGE:
        if (payload.size() >= 4)
            m_playback->SetChannels(uint16_t(GetBe32(payload.data())));
        break;
    case msg::PLAY_PAUSE:
        m_playback->Pause();
        break;
    case msg::PLAY_FORWARD:
        m_playback->Forward(payload);
        break;
    case msg::PLAY_BACKWARD:
        m_playback->Backward(payload);
        break;
    case msg::PLAY_NEXT_STEP:
        m_playback->NextStep();
        break;
    case msg::PLAY_PREV_STEP:
        m_playback->PrevStep();
        break;
    default:
        break;
    }
}

// ---- backup ----

void CSimSession::OnTransOn(const Bytes& payload) {
    if (payload.size() < 24) {
        m_sender->Send(msg::TRANS_ON_NACK, Be32Payload(kReasonFailed));
        return;
    }
    const uint64_t bytes = m_recorder.Media().RangeBytes(uint16_t(GetBe32(payload.data())), payload[4],
                                                         GetBe32(payload.data() + 16), GetBe32(payload.data() + 20));
    const uint64_t kbytes = (bytes + 1023) / 1024;
    m_sender->Send(msg::TRANS_ON_ACK, Be32Payload(uint32_t(std::min<uint64_t>(kbytes, 0xFFFFFFFFu))));
}

void CSimSession::OnTransData(const Bytes& payload) {
    StopBackup();
    if (payload.size() < 24) {
        m_sender->Send(msg::TRANS_ON_FAIL, Be32Payload(kReasonFailed));
        return;
    }
    auto pieces = m_recorder.Archive().Select(uint16_t(GetBe32(payload.data())), payload[4],
                                              GetBe32(payload.data() + 16), GetBe32(payload.data() + 20));
    std::vector<std::string> names;
    const CSetupRecord setup = m_recorder.Setup();
    for (int ch = 0; ch < 16; ++ch)
        names.push_back(setup.CameraName(ch));
    m_backupStop = false;
    m_backupThread = std::thread(
        [this, p = std::move(pieces), n = std::move(names)]() mutable { BackupLoop(std::move(p), std::move(n)); });
}

void CSimSession::BackupLoop(std::vector<SimPiece> pieces, std::vector<std::string> names) {
    const SimRefusal* fail = m_config.FindRefusal(msg::TRANS_ON_FAIL);
    const CRecordedMedia& media = m_recorder.Media();
    bool failed = false;
    const bool complete = media.ForEachFrame(pieces, [&](const RecordedFrame& f) {
        if (m_backupStop)
            return false;
        Bytes block = media.Block(f, names[size_t(f.channel)]);
        if (!m_sender->SendBulk(m_sender->Build(msg::TRANS_ON_DATA, std::move(block), m_config.fragment), m_backupStop))
            return false;
        if (fail) {
            failed = true;
            return false;
        }
        return true;
    });
    if (failed)
        m_sender->SendBulk(m_sender->Build(msg::TRANS_ON_FAIL, Be32Payload(fail->reason), kMaxPayload), m_backupStop);
    else if (complete)
        m_sender->SendBulk(m_sender->Build(msg::TRANS_ON_DONE, {}, kMaxPayload), m_backupStop);
}

void CSimSession::StopBackup() {
    m_backupStop = true;
    if (m_backupThread.joinable())
        m_backupThread.join();
}

void CSimSession::OnTransOff() {
    StopBackup();
    m_sender->Send(msg::TRANS_OFF_ACK);
}

// ---- setup ----

void CSimSession::OnDbInfo() {
    const CSetupRecord setup = m_recorder.Setup();
    const Bytes& record = setup.Data();
    Bytes payload(4);
    uint32_t crc = Crc(record);
    if (m_config.HasFault(FaultKind::Crc))
        crc ^= 0xA5A5A5A5u;
    PutBe32(payload.data(), crc);
    payload.insert(payload.end(), record.begin(), record.end());
    m_sender->SendFragmented(msg::DB_INFO_ACK, std::move(payload), std::min(m_config.fragment, kSetupFragment));
}

void CSimSession::OnDbUpdate(const Bytes& payload) {
    if (payload.size() != 4 + CSetupRecord::kSize || GetBe32(payload.data()) != Crc(payload, 4)) {
        m_sender->Send(msg::DB_UPDATE_NACK, Be32Payload(kReasonBadRecord));
        return;
    }
    CSetupRecord setup = m_recorder.Setup();
    const Bytes before = setup.Data();
    setup.Replace(Bytes(payload.begin() + 4, payload.end()));
    m_recorder.SetSetup(setup);
    if (!m_config.saveSetupPath.empty()) {
        // Written aside and renamed, so that a reader never sees half a record.
        const std::string part = m_config.saveSetupPath + ".part";
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(payload.data()), std::streamsize(payload.size()));
        out.close();
        if (!out || std::rename(part.c_str(), m_config.saveSetupPath.c_str()) != 0)
            std::fprintf(stderr, "sim: cannot save the setup record to %s\n", m_config.saveSetupPath.c_str());
    }
    m_sender->Send(msg::DB_UPDATE_ACK);
    const Bytes& after = setup.Data();
    auto changed = [&](size_t offset, size_t size) {
        return !std::equal(before.begin() + long(offset), before.begin() + long(offset + size),
                           after.begin() + long(offset));
    };
    if (changed(CSetupRecord::kCovertOffset, 16) || changed(CSetupRecord::kNamesOffset, 512))
        m_sender->Send(msg::DB_CHANGE, setup.DbChange(++m_dbChangeCounter, m_listeningChannel));
    if (changed(CSetupRecord::kAccountsOffset, CSetupRecord::kAccountsSize))
        m_sender->Send(msg::RIGHT_CHANGE, setup.RightsTable());
}

void CSimSession::OnDbInit() {
    m_recorder.ResetSetup();
    m_sender->Send(msg::DB_INIT_ACK);
    PushSetupChanges();
}

// ---- firmware ----

void CSimSession::OnFwUpdate(const Bytes& payload) {
    if (payload.size() != 56) {
        m_sender->Send(msg::FW_UPDATE_NACK, Be32Payload(kReasonFailed));
        return;
    }
    m_upload = FirmwareUpload{};
    m_upload.version = GetBe32(payload.data() + 4);
    m_upload.slot = payload[16];
    m_upload.name = SlotText(payload.data() + 21, 32);
    m_uploading = true;
    m_sender->Send(msg::FW_UPDATE_ACK);
}

void CSimSession::OnFwData(const WireHeader& h, const Bytes& payload) {
    if (!m_uploading)
        return;
    if (m_upload.image.size() + payload.size() > kFirmwareLimit) {
        m_uploading = false;
        m_sender->Send(msg::FW_DATA_RX_FAIL, Be32Payload(kReasonFailed));
        return;
    }
    m_upload.image.insert(m_upload.image.end(), payload.begin(), payload.end());
    if (!h.last)
        return;
    m_uploading = false;
    if (const SimRefusal* r = m_config.FindRefusal(msg::FW_DATA_RX_FAIL)) {
        SendRefusal(*r);
        return;
    }
    m_sender->Send(msg::FW_DATA_RX_DONE);
    if (const SimRefusal* r = m_config.FindRefusal(msg::FW_UPDATE_FAIL)) {
        SendRefusal(*r);
        return;
    }
    m_upload.complete = true;
    m_recorder.StoreFirmware(m_upload);
    m_sender->Send(msg::FW_UPDATE_DONE);
}

// ---- lists ----

void CSimSession::OnList(uint16_t request, uint16_t ack, uint16_t nack, Bytes records) {
    if (Refused(request))
        return;
    if (records.empty() && !m_config.FindFault(FaultKind::Bytes, ack)) {
        m_sender->Send(nack, Be32Payload(kReasonNothingFound));
        return;
    }
    m_sender->SendFragmented(ack, std::move(records), m_config.fragment);
}

void CSimSession::OnDayList(uint16_t request, uint16_t ack, uint16_t nack, const Bytes& payload) {
    if (Refused(request))
        return;
    if (payload.size() < 8) {
        m_sender->Send(nack, Be32Payload(kReasonFailed));
        return;
    }
    OnList(request, ack, nack, m_recorder.Archive().DayRecords(GetBe32(payload.data()), payload[4], payload[5]));
}

} // namespace ksim
