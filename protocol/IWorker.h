#pragma once
// A worker the client keeps while connected (microphone sender, download writer, decoders, audio
// player): Stop() ends its thread within a bounded time and releases what it holds.

class IWorker {
public:
    virtual ~IWorker() = default;
    virtual void Stop() = 0;
};
