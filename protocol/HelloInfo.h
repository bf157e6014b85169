#pragma once
// The recorder's hello reply (HELLO48_ACK payload), 768 bytes, as the client keeps it: firmware
// versions in host order and the firmware table rebuilt into the client's slot order.

#include "platform/base/WinTypes.h"

#include <cstddef>

constexpr std::size_t kHelloInfoSize = 768;
constexpr int kFirmwareSlots = 20;

struct HelloInfo {
    BYTE protocol_major_ver;
    BYTE protocol_minor_ver;
    BYTE product_number;
    BYTE product_major_ver;
    BYTE product_minor_ver;
    BYTE front_ver;
    BYTE channel_num;
    BYTE account;
    BYTE mac[6];
    BYTE sub_product_num_major;
    BYTE sub_product_num_minor;
    BYTE unused[32];
    char FirmName[kFirmwareSlots][32];
    DWORD FirmVer[kFirmwareSlots];

    // Reads the 768 wire bytes: versions from big-endian, then the firmware table in the client's
    // order (slot 0 = entry 0, 3 = entry 2, 4 = entry 5, 5 = entry 3, 6 = entry 4, all others empty).
    // Every name is terminated within its slot.
    static HelloInfo FromWire(const BYTE* bytes);
};

static_assert(sizeof(HelloInfo) == kHelloInfoSize);
static_assert(offsetof(HelloInfo, FirmName) == 48);
static_assert(offsetof(HelloInfo, FirmVer) == 688);
