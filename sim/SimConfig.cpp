#include "sim/SimConfig.h"

#include "sim/SimWire.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace ksim {

namespace {

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    if (!text.empty() && text.back() == sep)
        parts.emplace_back();
    return parts;
}

bool ParseInt(const std::string& text, int64_t lo, int64_t hi, int64_t& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 0);
    if (errno != 0 || !end || *end != '\0' || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool ParseVersion(const std::string& text, uint8_t& major, uint8_t& minor) {
    const auto parts = Split(text, '.');
    int64_t a = 0;
    int64_t b = 0;
    if (parts.size() != 2 || !ParseInt(parts[0], 0, 255, a) || !ParseInt(parts[1], 0, 255, b))
        return false;
    major = uint8_t(a);
    minor = uint8_t(b);
    return true;
}

bool ParseRights(const std::string& text, uint8_t& rights) {
    // Either eight 0/1 characters for rights 0..7, or a number (bit k = right k).
    if (text.size() == 8 && text.find_first_not_of("01") == std::string::npos) {
        rights = 0;
        for (int k = 0; k < 8; ++k) {
            if (text[size_t(k)] == '1')
                rights |= uint8_t(1u << k);
        }
        return true;
    }
    int64_t v = 0;
    if (!ParseInt(text, 0, 255, v))
        return false;
    rights = uint8_t(v);
    return true;
}

bool ParseAccount(const std::string& text, SimAccount& account) {
    const auto parts = Split(text, ':');
    if (parts.size() < 2 || parts.size() > 4 || parts[0].empty() || parts[0].size() > 31 || parts[1].size() > 31)
        return false;
    account.user = parts[0];
    account.password = parts[1];
    if (parts.size() >= 3 && !ParseRights(parts[2], account.rights))
        return false;
    int64_t level = 1;
    if (parts.size() == 4 && !ParseInt(parts[3], 0, 255, level))
        return false;
    account.level = uint8_t(level);
    return true;
}

bool ParseRefusal(const std::string& text, SimRefusal& refusal) {
    const auto parts = Split(text, ':');
    if (parts.size() != 2 && parts.size() != 4)
        return false;
    refusal.refusalId = ParseMessageId(parts[0]);
    if (refusal.refusalId == 0 || RequestForRefusal(refusal.refusalId) == 0)
        return false;
    int64_t v = 0;
    if (!ParseInt(parts[1], -2147483648LL, 4294967295LL, v))
        return false;
    refusal.reason = uint32_t(v);
    if (parts.size() == 4) {
        int64_t x = 0;
        int64_t y = 0;
        if (!ParseInt(parts[2], 0, 4294967295LL, x) || !ParseInt(parts[3], 0, 4294967295LL, y))
            return false;
        refusal.extra = true;
        refusal.extra1 = uint32_t(x);
        refusal.extra2 = uint32_t(y);
    }
    return true;
}

bool ParseFault(const std::string& text, SimFault& fault) {
    const auto parts = Split(text, ':');
    if (parts.empty())
        return false;
    const std::string& kind = parts[0];
    auto idAt = [&](size_t i) {
        fault.id = i < parts.size() ? ParseMessageId(parts[i]) : 0;
        return fault.id != 0;
    };
    auto valueAt = [&](size_t i, int64_t lo, int64_t hi, int64_t& out) {
        return i < parts.size() && ParseInt(parts[i], lo, hi, out);
    };
    if (kind == "close-mid" || kind == "stall-mid" || kind == "no-last" || kind == "dup" || kind == "drop") {
        static const std::map<std::string, FaultKind> kinds = {{"close-mid", FaultKind::CloseMid},
                                                               {"stall-mid", FaultKind::StallMid},
                                                               {"no-last", FaultKind::NoLast},
                                                               {"dup", FaultKind::Dup},
                                                               {"drop", FaultKind::Drop}};
        fault.kind = kinds.at(kind);
        return parts.size() == 2 && idAt(1);
    }
    if (kind == "size") {
        fault.kind = FaultKind::Size;
        return parts.size() == 3 && idAt(1) && valueAt(2, -16777216, 16777216, fault.value);
    }
    if (kind == "bytes") {
        fault.kind = FaultKind::Bytes;
        return parts.size() == 3 && idAt(1) && valueAt(2, 0, 16777216, fault.value);
    }
    if (kind == "delay") {
        fault.kind = FaultKind::Delay;
        return parts.size() == 3 && idAt(1) && valueAt(2, 0, 600000, fault.value);
    }
    if (kind == "garbage") {
        fault.kind = FaultKind::Garbage;
        return parts.size() == 2 && valueAt(1, 1, 16777216, fault.value);
    }
    if (kind == "crc") {
        fault.kind = FaultKind::Crc;
        return parts.size() == 1;
    }
    if (kind == "bye") {
        fault.kind = FaultKind::Bye;
        fault.value2 = 0;
        if (parts.size() < 2 || parts.size() > 3 || !valueAt(1, -2147483648LL, 4294967295LL, fault.value))
            return false;
        if (parts.size() == 3 && parts[2] != "never")
            return valueAt(2, 0, 600000, fault.value2);
        if (parts.size() == 3)
            fault.value2 = -1;
        return true;
    }
    return false;
}

} // namespace

CSimConfig::CSimConfig() {
    accounts.push_back(SimAccount{"admin", "1234", 0xFF, 1});
}

bool CSimConfig::Parse(int argc, const char* const* argv, std::string& error, bool& helpRequested) {
    helpRequested = false;
    bool accountsGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string opt = argv[i];
        std::string value;
        bool hasValue = false;
        const auto eq = opt.find('=');
        if (opt.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = opt.substr(eq + 1);
            opt = opt.substr(0, eq);
            hasValue = true;
        }
        auto take = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= argc) {
                error = "option " + opt + " needs a value";
                return false;
            }
            value = argv[++i];
            return true;
        };
        auto bad = [&]() {
            error = "bad value for " + opt + ": " + value;
            return false;
        };
        int64_t v = 0;
        if (opt == "-h" || opt == "--help") {
            helpRequested = true;
            return true;
        }
        if (opt == "-v" || opt == "--verbose") {
            verbose = true;
            continue;
        }
        if (opt == "--play-plain") {
            playPlain = true;
            continue;
        }
        if (opt == "--lenient") {
            lenient = true;
            continue;
        }
        if (!take())
            return false;
        if (opt == "--address") {
            address = value;
        } else if (opt == "--port") {
            if (!ParseInt(value, 0, 65535, v))
                return bad();
            port = uint16_t(v);
        } else if (opt == "--product") {
            if (!ParseInt(value, 0, 255, v))
                return bad();
            product = uint8_t(v);
        } else if (opt == "--channels") {
            if (!ParseInt(value, 0, 255, v))
                return bad();
            channels = int(v);
        } else if (opt == "--account") {
            SimAccount account;
            if (!ParseAccount(value, account))
                return bad();
            if (!accountsGiven)
                accounts.clear();
            accountsGiven = true;
            if (accounts.size() >= 8) {
                error = "at most 8 accounts";
                return false;
            }
            accounts.push_back(account);
        } else if (opt == "--hello-account") {
            if (!ParseInt(value, 0, 255, v))
                return bad();
            helloAccount = uint8_t(v);
        } else if (opt == "--protocol-version") {
            if (!ParseVersion(value, protocolMajor, protocolMinor))
                return bad();
        } else if (opt == "--setup-version") {
            if (!ParseVersion(value, setupMajor, setupMinor))
                return bad();
        } else if (opt == "--product-version") {
            if (!ParseVersion(value, productMajor, productMinor))
                return bad();
        } else if (opt == "--front-version") {
            if (!ParseInt(value, 0, 255, v))
                return bad();
            frontVersion = uint8_t(v);
        } else if (opt == "--sub-product") {
            if (!ParseVersion(value, subProductMajor, subProductMinor))
                return bad();
        } else if (opt == "--mac") {
            const auto parts = Split(value, ':');
            if (parts.size() != 6)
                return bad();
            for (size_t k = 0; k < 6; ++k) {
                char* end = nullptr;
                const unsigned long b = std::strtoul(parts[k].c_str(), &end, 16);
                if (parts[k].empty() || parts[k].size() > 2 || !end || *end != '\0' || b > 255)
                    return bad();
                mac[k] = uint8_t(b);
            }
        } else if (opt == "--firmware-time") {
            if (!ParseInt(value, 0, 4294967295LL, v))
                return bad();
            firmwareTime = uint32_t(v);
        } else if (opt == "--login-fail-reason") {
            if (!ParseInt(value, -2147483648LL, 4294967295LL, v))
                return bad();
            loginFailReason = uint32_t(v);
        } else if (opt == "--standard") {
            if (value != "pal" && value != "ntsc")
                return bad();
            pal = value == "pal";
        } else if (opt == "--resolution") {
            if (value == "d1")
                resolution = Resolution::D1;
            else if (value == "half")
                resolution = Resolution::HalfD1;
            else if (value == "cif")
                resolution = Resolution::Cif;
            else
                return bad();
        } else if (opt == "--loop-seconds") {
            if (!ParseInt(value, 1, 60, v))
                return bad();
            loopSeconds = int(v);
        } else if (opt == "--bitrate") {
            if (!ParseInt(value, 100, 20000, v))
                return bad();
            bitrateKbps = int(v);
        } else if (opt == "--seed") {
            if (!ParseInt(value, 0, INT64_MAX, v))
                return bad();
            seed = uint64_t(v);
        } else if (opt == "--clock") {
            if (!ParseInt(value, 0, 4294967295LL, v))
                return bad();
            clock = v;
        } else if (opt == "--days") {
            if (!ParseInt(value, 0, 400, v))
                return bad();
            days = int(v);
        } else if (opt == "--log-entries") {
            if (!ParseInt(value, 0, 100000, v))
                return bad();
            logEntries = int(v);
        } else if (opt == "--fragment") {
            if (!ParseInt(value, 1, int64_t(kMaxPayload), v))
                return bad();
            fragment = size_t(v);
        } else if (opt == "--play-fail-after") {
            if (!ParseInt(value, 1, 1000000, v))
                return bad();
            playFailAfter = int(v);
        } else if (opt == "--video-loss") {
            if (!ParseInt(value, 0, 0xFFFF, v))
                return bad();
            videoLoss = uint16_t(v);
        } else if (opt == "--save-setup") {
            if (value.empty())
                return bad();
            saveSetupPath = value;
        } else if (opt == "--refuse") {
            SimRefusal refusal;
            if (!ParseRefusal(value, refusal))
                return bad();
            refusals.push_back(refusal);
        } else if (opt == "--fault") {
            SimFault fault;
            if (!ParseFault(value, fault))
                return bad();
            faults.push_back(fault);
        } else {
            error = "unknown option " + opt;
            return false;
        }
    }
    return true;
}

std::string CSimConfig::HelpText() {
    return R"(Usage: kelo-recorder-sim [options]

A simulated KELO1000 recorder: the recorder side of the protocol on one TCP port. It serves one
client at a time, one after another, until SIGINT or SIGTERM. Once the pictures are encoded and the
port listens, it prints exactly one line "port N" (N = the TCP port, decimal) on stdout.

Connection and login:
  --address A             listen address (default 127.0.0.1)
  --port N                TCP port (default 2000; 0 = any free port, see the "port N" line)
  --product N             product_number in the hello reply (default 4; only 4 is served by the client)
  --channels N            channel_num in the hello reply (default 16). Any 0..255 is sent as it is;
                          cameras are simulated on channels 1..N (N clamped to 1..16)
  --account U:P[:R[:L]]   an account (repeatable, up to 8, replaces the default admin:1234):
                          user U, password P (at most 31 characters each, compared ignoring case;
                          a client sends both lower-cased),
                          rights R as eight 0/1 characters for rights 0..7 or a number with bit k =
                          right k (default all), level L (default 1). Right 6 and level 1 are needed
                          to connect
  --hello-account N       "account" byte of the hello reply (default 0 = administrator)
  --protocol-version M.m  protocol version in the hello reply (default 1.0)
  --product-version M.m   product version in the hello reply (default 1.2)
  --front-version N       front version in the hello reply (default 1)
  --sub-product M.m       sub product number in the hello reply (default 0.0)
  --mac XX:XX:XX:XX:XX:XX MAC address in the hello reply (default 00:1C:4B:10:20:30)
  --firmware-time S       build time of every firmware part in the hello reply, seconds since 1970
                          (default 1199145600 = 2008-01-01)
  --login-fail-reason N   BYE48 reason for an unknown user or a wrong password (default 1); an
                          account without right 6 or with level 0 gets reason 37
  --setup-version M.m     setup record version in bytes 0 and 1 of the setup record (default 4.5);
                          4.2 or older gives the older record general page with its single rate

Pictures, sound and recordings:
  --standard pal|ntsc     video standard (default pal): 25 or 30 frames per second
  --resolution d1|half|cif  picture size (default d1): d1 = 704x576 (ntsc 704x480, code 1),
                          half = 704x288 (704x240, code 5), cif = 352x288 (352x240, code 0)
  --loop-seconds N        length of the pre-encoded picture loop per channel, 1..60 (default 4)
  --bitrate KBPS          average rate of each channel's video, 100..20000 kbit/s: the pictures
                          get a moving grain (drawn from --seed) and the encoder aims at the rate.
                          Default: the plain test picture at constant quality (about 140 kbit/s at d1)
  --seed N                seed of the simulated archive, the log and the picture grain (default 1)
  --clock S               recorder clock at start-up, seconds since 1970 of the recorder's local
                          time (default: the host's local time); the clock then runs in real time
  --days N                days with recordings, ending at the clock at start-up (default 3)
  --log-entries N         entries in the recorder log (default 300)
  --fragment N            largest payload of one fragment of a list reply, setup record or frame,
                          1..65535 (default 16384; the setup record uses at most 2500 so that it
                          comes in three fragments)
  --video-loss MASK       channels without a camera, bit n = channel n+1 (default 0)
  --play-plain            send playback frames without the 192-byte frame record in front
  --play-fail-after N     frames of a playback sent before the PLAY_ON_FAIL of --refuse (default 1)
  --save-setup FILE       write each setup record the client uploads and the simulator accepts
                          (DB_UPDATE_REQ: the 4-byte CRC-32, big-endian, then the 6632-byte record)
                          to FILE, replacing what it held

Misbehaviour (each repeatable; MSG is a message name such as LIVE_DATA or its decimal id):
  --refuse MSG:REASON[:X:Y]
                          answer with refusal MSG and reason REASON (a u32; -2 allowed) instead of
                          serving: MSG is a NACK (e.g. LIVE_NACK refuses LIVE_REQ, TRANS_ON_NACK
                          refuses TRANS_ON_REQ), BYE48 (refuses the login), PLAY_ON_FAIL or
                          TRANS_ON_FAIL (fail the playback or the backup after its first frame;
                          a playback after --play-fail-after frames),
                          FW_DATA_RX_FAIL (refuses the uploaded image) or FW_UPDATE_FAIL (fails
                          after FW_DATA_RX_DONE). X and Y make a 12-byte refusal with two more u32
                          (reason 87)
  --fault close-mid:MSG   send the first MSG with half of its payload, then close the connection
  --fault stall-mid:MSG   send the first MSG with half of its payload, then send nothing more
  --fault size:MSG:D      every MSG carries D bytes more (D > 0, zero bytes) or fewer (D < 0)
  --fault bytes:MSG:N     every MSG carries exactly N bytes (a list reply longer than 65535 bytes
                          is fragmented as usual)
  --fault no-last:MSG     never set the last-fragment bit on MSG
  --fault dup:MSG         send the first MSG twice
  --fault garbage:N       send N random bytes right after the login pushes
  --fault crc             corrupt the CRC of every DB_INFO_ACK
  --fault bye:REASON[:MS|:never]
                          send BYE48 with REASON after the login pushes, then close after MS
                          milliseconds (default 0) or never
  --fault drop:MSG        never answer request MSG
  --fault delay:MSG:MS    answer request MSG MS milliseconds late

Strictness:
  --lenient               serve malformed requests as far as they go, as a forgiving recorder would,
                          instead of refusing them (requests before the login are then ignored)

Every request is checked against its layout: the header (no bits outside the id, the length and
the last-fragment bit; the audio-on bit only on AUDIO_ONOFF_REQ; the last-fragment bit only on
FW_DATA and TALK_DATA; words 2 and 3 zero), the exact payload length of its message, and the
fields whose ranges are fixed (lower-case HELLO; channel masks within 16 channels; time ranges
with a type mask within types 0-5 and zero filler; start records; day requests with month 1-12
and day 1-31; PTZ channel, mode and command bytes; firmware table entries 0, 3, 4, 5 and 6 and
chunks of 1 to 8000 bytes only during an acknowledged upload; the CRC-32 of DB_UPDATE_REQ; the
silent first 1536 bytes of TALK_DATA, each with the last-fragment bit, and only while listening
is accepted: after A_LISTEN_REQ was answered and before A_LISTEN_STOP_REQ). A request before the
login, a second HELLO and an id that is no client request are violations too. Each violation writes one line
"protocol-violation <MESSAGE> <what is wrong>" on stderr (with or without -v) and is answered with
the refusal of that request and reason 1 (81 for DB_UPDATE_REQ; BYE48 and the end of the
connection for HELLO; FW_DATA_RX_FAIL for FW_DATA); a request without a refusal ends the
connection. The simulator then takes the next client as usual. --lenient turns all of this off.

What it sends besides: after the login RIGHT_CHANGE, DB_CHANGE, SYS_ETC_INFO, SYS_ETC_INFO_EX,
DST_INFO, REC_STATUS and MESSAGE_257; during playback PLAY_CHANNEL_INFO (cameras in bits 0-15, the
played channels in bits 16-31) before the first frame and whenever the played channels change, and
one PLAY_FLOW when the client has left it without credit for a second. Event recordings have the
record type of their event (alarm 1, motion 2, audio 4: type mask bit 1 << t). The factory setup
record shares the recorder's budget of images per second (100 PAL, 120 NTSC) between its channels at
the resolution it sends.

What it answers besides: an empty month, day,
event or log list is refused with reason 83, as is playback of a range without recordings (a
backup size of such a range is 0); a DB_UPDATE_REQ that is not 6636 bytes with a matching CRC-32
is refused with reason 81; REBOOT_REQ and POWEROFF_REQ are answered, then the connection is closed;
after the client's BYE48 the connection is closed.
Live streams of every channel start again with frame 0, an IDR, after each LIVE_CHANNEL_INFO.

Other:
  -v, --verbose           one line per message received or sent on stderr
  -h, --help              this text
)";
}

VideoFormat CSimConfig::Video() const {
    VideoFormat f;
    f.pal = pal;
    f.fps = pal ? 25 : 30;
    const int lines = pal ? 576 : 480;
    switch (resolution) {
    case Resolution::D1:
        f.width = 704;
        f.height = lines;
        f.resolutionCode = 1;
        break;
    case Resolution::HalfD1:
        f.width = 704;
        f.height = lines / 2;
        f.resolutionCode = 5;
        break;
    case Resolution::Cif:
        f.width = 352;
        f.height = lines / 2;
        f.resolutionCode = 0;
        break;
    }
    return f;
}

int CSimConfig::ServedChannels() const {
    return std::clamp(channels, 1, 16);
}

const SimRefusal* CSimConfig::FindRefusal(uint16_t refusalId) const {
    for (const auto& r : refusals) {
        if (r.refusalId == refusalId)
            return &r;
    }
    return nullptr;
}

const SimFault* CSimConfig::FindFault(FaultKind kind, uint16_t id) const {
    for (const auto& f : faults) {
        if (f.kind == kind && f.id == id)
            return &f;
    }
    return nullptr;
}

bool CSimConfig::HasFault(FaultKind kind) const {
    return std::any_of(faults.begin(), faults.end(), [kind](const SimFault& f) { return f.kind == kind; });
}

} // namespace ksim
