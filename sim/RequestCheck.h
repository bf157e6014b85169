// The recorder's view of a well-formed request: every message a client sends is held against the
// layout of its request (header bits, payload length, the fields whose ranges are fixed), so that a
// client that gets a request slightly wrong is caught instead of served.
#pragma once

#include "sim/SimWire.h"

#include <string>

namespace ksim {

class CRequestCheck {
public:
    // What the session knows when the request arrives.
    struct Context {
        bool loggedIn = false;
        bool uploading = false; // a FW_UPDATE_REQ was acknowledged and its last FW_DATA has not come
        bool listening = false; // an A_LISTEN_REQ was accepted and no A_LISTEN_STOP_REQ has come
    };

    // An empty text when the request is well formed; else what is wrong with it, in a few words.
    static std::string Check(const WireHeader& header, const Bytes& payload, const Context& context);
    // The largest FW_DATA chunk a client sends.
    static constexpr size_t kFirmwareChunk = 8000;

private:
    static std::string CheckHeader(const WireHeader& header);
    static std::string CheckLength(uint16_t id, size_t length);
    static std::string CheckFields(uint16_t id, const Bytes& payload);
    static std::string CheckHello(const Bytes& payload);
    static std::string CheckTimeRange(const Bytes& payload);
    static std::string CheckStartRecord(const Bytes& payload);
    static std::string CheckDayRequest(const Bytes& payload);
    static std::string CheckPtzMove(const Bytes& payload);
    static std::string CheckFirmwareRequest(const Bytes& payload);
};

} // namespace ksim
