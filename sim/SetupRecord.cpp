#include "sim/SetupRecord.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace ksim {

namespace {

void PutText(Bytes& b, size_t offset, size_t size, const std::string& text) {
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(b.data() + offset, text.data(), n);
}

void Fill(Bytes& b, size_t offset, size_t count, uint8_t value) {
    std::fill_n(b.begin() + long(offset), count, value);
}

std::string Lower(std::string s) {
    for (auto& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

constexpr size_t kRateArrays[] = {656, 688, 720, 2352, 2552};
constexpr size_t kResolutionArrays[] = {4044, 4060, 4076, 4092, 4108, 4124};

} // namespace

CSetupRecord::RateBudget CSetupRecord::FactoryRates(const CSimConfig& config) {
    // A factory setup records every channel at the resolution the recorder sends and shares the
    // images per second between them so that they just fill the recorder's budget.
    RateBudget r;
    int weight = 4;
    switch (config.resolution) {
    case Resolution::D1:
        r.resolutionCode = 0;
        weight = 4;
        break;
    case Resolution::HalfD1:
        r.resolutionCode = 1;
        weight = 2;
        break;
    case Resolution::Cif:
        r.resolutionCode = 2;
        weight = 1;
        break;
    }
    const int budget = config.pal ? 100 : 120;
    const int n = config.ServedChannels();
    const int base = budget / (weight * n);
    const int spare = n == 4 || n == 8 || n == 16 ? (budget - weight * n * base) / weight : 0;
    const int maxRate = config.pal ? 25 : 30;
    for (int ch = 0; ch < n; ++ch)
        r.rates[size_t(ch)] = uint8_t(std::min(maxRate, base + (ch < spare ? 1 : 0)));
    const int m = n < 5 ? 4 : n <= 8 ? 8 : 16;
    r.singleRate = uint8_t(std::min(maxRate, budget / (weight * m)));
    return r;
}

CSetupRecord::CSetupRecord(const CSimConfig& config, uint32_t clock) : m_data(kSize, 0) {
    Bytes& d = m_data;
    const int channels = config.ServedChannels();
    const VideoFormat video = config.Video();
    d[0] = config.setupMajor; // 4.5 by default: every page of the client is offered
    d[1] = config.setupMinor;
    d[2] = config.pal ? 1 : 0;
    d[3] = 0;
    PutBe32(&d[4], clock);
    Fill(d, 8, 16, 50);  // hue
    Fill(d, 24, 16, 50); // saturation
    Fill(d, 40, 16, 50); // contrast
    Fill(d, 56, 16, 50); // brightness
    for (int ch = 0; ch < 16; ++ch) {
        char name[32];
        std::snprintf(name, sizeof(name), "CAMERA%02d", ch + 1);
        PutText(d, kNamesOffset + size_t(ch) * 32, 32, name);
    }
    d[600] = 0;
    Fill(d, 604, 16, 15);
    d[636] = 1;
    d[637] = 1;
    d[638] = 1;
    d[639] = 0;
    const RateBudget budget = FactoryRates(config);
    d[644] = budget.resolutionCode;
    d[645] = 1;
    d[646] = 1;
    d[647] = budget.singleRate;
    PutBe16(&d[648], 5);
    PutBe16(&d[650], 60);
    for (size_t base : kRateArrays)
        std::copy(budget.rates.begin(), budget.rates.end(), d.begin() + long(base));
    for (size_t base : kResolutionArrays)
        Fill(d, base, size_t(channels), budget.resolutionCode);
    for (size_t base : {672u, 704u, 736u, 2368u, 2568u, 2632u})
        Fill(d, base, 4, 1); // audio on the first four channels
    Fill(d, 752, 16, 5);
    Fill(d, 2584, 16, 5);
    Fill(d, 768, 16 * 9 * 11, 1);
    Fill(d, 2384, 7 * 24, 1);
    Fill(d, 2616, 16, 1);
    d[2648] = 30;
    for (int k = 0; k < 5; ++k)
        d[2652 + size_t(k)] = uint8_t(k);
    d[2660] = 0;
    d[2661] = 0;
    d[2668] = 0;
    d[3104] = 30;
    for (int ch = 0; ch < std::min(channels, 4); ++ch) {
        d[kPtzIdOffset + size_t(ch)] = uint8_t(ch + 1);
        d[3124 + size_t(ch)] = 1;
    }
    Fill(d, 3140, 16, 2);
    d[3188] = 2;
    // Daylight saving off; the user rule fields hold the European rule.
    const uint8_t dst[17] = {0, 0, 2, 4, 0, 24, 2, 0, 9, 4, 0, 24, 3, 0, 1, 0, 1};
    std::memcpy(&d[3204], dst, sizeof(dst));
    PutBe32(&d[3504], 0x00010203);
    PutBe32(&d[3508], 0x04050607);
    // The page captions the strings "User 1" to "User 3" (the addresses mail goes to) and "Mail Server".
    PutText(d, kEmailOffset, 128, "operator@example.com");
    PutText(d, kEmailOffset + 128, 128, "guard.station@example.com");
    PutText(d, kEmailOffset + 256, 128, "security.manager@example.com");
    PutText(d, kEmailOffset + 384, 128, "smtp.example.com");
    d[kEmailOffset + 512] = 1;
    Fill(d, 4028, 12, 1);
    d[4140] = 9;
    d[4141] = 0;
    PutText(d, 4148, 32, "time.example.org");
    PutBe16(&d[4216], 0x0809);
    PutBe16(&d[4218], 0x0A0B);
    for (int ch = 0; ch < 16; ++ch) {
        PutBe16(&d[4320 + size_t(ch) * 2], 0);
        PutBe16(&d[4352 + size_t(ch) * 2], 3600);
        PutBe16(&d[4384 + size_t(ch) * 2], 0);
        PutBe16(&d[4416 + size_t(ch) * 2], 900);
    }
    PutBe32(&d[4448], 0x0C0D0E0F);
    PutBe32(&d[4452], 0x10111213);
    PutBe32(&d[4456], 1);
    PutBe32(&d[4460], 10);
    PutBe32(&d[4464], 30);
    d[4518] = 1;
    Fill(d, 4536, 16, uint8_t(video.width / 4));
    Fill(d, 4568, 16, uint8_t(std::min(video.height / 4, 255)));
    for (int k = 0; k < 512; ++k)
        PutBe16(&d[4600 + size_t(k) * 2], uint16_t(k * 3 + 1));
    for (size_t a = 0; a < config.accounts.size() && a < 8; ++a) {
        const SimAccount& acc = config.accounts[a];
        for (int k = 0; k < 8; ++k)
            d[kAccountsOffset + size_t(k) * 8 + a] = (acc.rights >> k) & 1;
        d[kAccountsOffset + 64 + a] = acc.level;
        PutText(d, kAccountsOffset + 72 + a * 32, 32, acc.user);
        PutText(d, kAccountsOffset + 328 + a * 32, 32, acc.password);
    }
    for (int ch = 0; ch < 16; ++ch) {
        for (int slot = 0; slot < 4; ++slot) {
            d[6272 + size_t(ch) * 4 + size_t(slot)] = uint8_t(ch);
            PutBe16(&d[6400 + (size_t(ch) * 4 + size_t(slot)) * 2], uint16_t(slot + 1));
        }
    }
}

bool CSetupRecord::Replace(const Bytes& record) {
    if (record.size() != kSize)
        return false;
    m_data = record;
    return true;
}

std::string CSetupRecord::Slot(size_t offset, size_t size) const {
    const char* p = reinterpret_cast<const char*>(m_data.data() + offset);
    return std::string(p, strnlen(p, size));
}

int CSetupRecord::FindUser(const std::string& user) const {
    const std::string wanted = Lower(user);
    for (int a = 0; a < 8; ++a) {
        const std::string name = Slot(kAccountsOffset + 72 + size_t(a) * 32, 32);
        if (!name.empty() && Lower(name) == wanted)
            return a;
    }
    return -1;
}

int CSetupRecord::FindAccount(const std::string& user, const std::string& password) const {
    const int a = FindUser(user);
    if (a < 0)
        return -1;
    const std::string stored = Slot(kAccountsOffset + 328 + size_t(a) * 32, 32);
    return Lower(stored) == Lower(password) ? a : -1;
}

bool CSetupRecord::MayConnect(int account) const {
    if (account < 0 || account > 7)
        return false;
    return m_data[kAccountsOffset + 48 + size_t(account)] != 0 && m_data[kAccountsOffset + 64 + size_t(account)] != 0;
}

std::string CSetupRecord::CameraName(int channel) const {
    return Slot(kNamesOffset + size_t(channel & 15) * 32, 32);
}

bool CSetupRecord::HasPtz(int channel) const {
    return channel >= 0 && channel < 16 && m_data[kPtzIdOffset + size_t(channel)] != 0;
}

Bytes CSetupRecord::RightsTable() const {
    return Bytes(m_data.begin() + long(kAccountsOffset), m_data.begin() + long(kAccountsOffset + kAccountsSize));
}

Bytes CSetupRecord::DbChange(uint32_t counter, uint8_t listeningChannel) const {
    Bytes b(596, 0);
    PutBe32(b.data(), counter);
    std::copy_n(m_data.begin() + long(kCovertOffset), 16, b.begin() + 4); // covert channels are hidden
    std::copy_n(m_data.begin() + long(kNamesOffset), 512, b.begin() + 20);
    b[540] = listeningChannel;
    return b;
}

Bytes CSetupRecord::SysEtcInfo() {
    Bytes b(320, 0);
    for (int k = 0; k < 4; ++k)
        b[size_t(k)] = uint8_t(k + 1); // four languages
    for (int p = 0; p < 6; ++p) {
        b[64 + size_t(p) * 2] = uint8_t(p + 1); // built-in PTZ protocol name index
        b[64 + size_t(p) * 2 + 1] = 6;          // baud rates offered
    }
    for (int p = 0; p < 3; ++p) {
        b[192 + size_t(p) * 2] = uint8_t(p + 1);
        b[192 + size_t(p) * 2 + 1] = 4;
    }
    return b;
}

Bytes CSetupRecord::SysEtcInfoEx() {
    Bytes b(3200, 0);
    const char* languages[] = {"English", "Deutsch", "Francais", "Espanol"};
    for (size_t k = 0; k < 4; ++k)
        PutText(b, k * 16, 16, languages[k]);
    for (size_t p = 0; p < 6; ++p) {
        PutText(b, 1024 + p * 16, 16, "PTZ-PROTO-" + std::string(1, char('A' + p)));
        b[2048 + p] = 6;
    }
    for (size_t p = 0; p < 3; ++p) {
        PutText(b, 2112 + p * 16, 16, "KBD-PROTO-" + std::string(1, char('A' + p)));
        b[3136 + p] = 4;
    }
    return b;
}

Bytes CSetupRecord::DstInfo() {
    Bytes b(1204, 0);
    // start month, week, weekday, hour, minute, end month, week, weekday, hour, minute, 2 spare
    const uint8_t rules[3][12] = {
        {2, 4, 0, 2, 0, 9, 4, 0, 3, 0, 0, 0},  // last Sunday of March to last Sunday of October
        {2, 1, 0, 2, 0, 10, 0, 0, 2, 0, 0, 0}, // second Sunday of March to first Sunday of November
        {9, 0, 0, 2, 0, 3, 0, 0, 3, 0, 0, 0},  // first Sunday of October to first Sunday of April
    };
    PutBe32(b.data(), 3);
    for (size_t r = 0; r < 3; ++r)
        std::memcpy(&b[4 + r * 12], rules[r], 12);
    return b;
}

} // namespace ksim
