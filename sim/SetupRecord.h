// The recorder's 6632-byte setup record, kept in network byte order as the recorder stores it,
// and the information blocks derived from it or fixed for this recorder.
#pragma once

#include "sim/SimConfig.h"
#include "sim/SimWire.h"

#include <array>
#include <string>

namespace ksim {

class CSetupRecord {
public:
    static constexpr size_t kSize = 6632;
    static constexpr size_t kNamesOffset = 88;
    static constexpr size_t kCovertOffset = 72;
    static constexpr size_t kEmailOffset = 3512;
    static constexpr size_t kEmailSize = 516;
    static constexpr size_t kAccountsOffset = 5624;
    static constexpr size_t kAccountsSize = 584;
    static constexpr size_t kPtzIdOffset = 3108;

    // The record rates of a factory setup: every channel at the recorder's own resolution, the
    // recorder's budget of images per second shared out as the record pages share it.
    struct RateBudget {
        uint8_t resolutionCode = 0; // 0 4CIF, 1 2CIF, 2 CIF
        std::array<uint8_t, 16> rates{};
        uint8_t singleRate = 0;
    };
    static RateBudget FactoryRates(const CSimConfig& config);

    // The factory record for this configuration (channels, video standard, accounts, clock).
    CSetupRecord(const CSimConfig& config, uint32_t clock);

    const Bytes& Data() const { return m_data; }
    bool Replace(const Bytes& record); // false unless exactly kSize bytes

    // Index 0..7 of the account with this user id and password (both compared ignoring ASCII
    // case); -1 when none matches.
    int FindAccount(const std::string& user, const std::string& password) const;
    int FindUser(const std::string& user) const;
    bool MayConnect(int account) const; // right 6 and level both set
    std::string CameraName(int channel) const;
    bool HasPtz(int channel) const;

    Bytes RightsTable() const;                                        // RIGHT_CHANGE payload, 584 bytes
    Bytes DbChange(uint32_t counter, uint8_t listeningChannel) const; // 596 bytes

    static Bytes SysEtcInfo();   // 320 bytes
    static Bytes SysEtcInfoEx(); // 3200 bytes
    static Bytes DstInfo();      // 1204 bytes

private:
    std::string Slot(size_t offset, size_t size) const;

    Bytes m_data;
};

} // namespace ksim
