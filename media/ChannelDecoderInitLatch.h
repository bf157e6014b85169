#pragma once
// One report of a decoder library that fails to initialise per start: the channel decoders a client
// starts together (those alive at once on one host) share one report, however many of them fail
// and however often. A start after all of them have gone reports again.

#include <map>
#include <mutex>

class IDecoderHost;

class CChannelDecoderInitLatch {
public:
    static CChannelDecoderInitLatch& Instance();

    // A decoder of the host begins and ends.
    void Join(const IDecoderHost* host);
    void Leave(const IDecoderHost* host);
    // True for the first failure among the host's decoders alive together.
    bool FirstReport(const IDecoderHost* host);

private:
    struct Start {
        int alive = 0;
        bool reported = false;
    };
    std::mutex m_lock;
    std::map<const IDecoderHost*, Start> m_starts;
};
