#pragma once
// The decoder library's three calls as a channel decoder makes them. The program's implementation
// goes to the library loaded at start-up (CLibraryPictureDecoder); tests give scripted ones.
// One object may serve several decoder threads: all state is in the caller's context.

#include "decoder/H264_D1.h"
#include "platform/base/WinTypes.h"

class CH264Library;

class IPictureDecoder {
public:
    virtual ~IPictureDecoder() = default;
    // False when there is no library: every call is then skipped.
    virtual bool IsPresent() const = 0;
    virtual int Init(PT_H264DEC_CONTEXT* ctx) = 0;
    virtual int GetOneFrame(PT_H264DEC_CONTEXT* ctx, const BYTE* data, int len, BYTE* dst) = 0;
    virtual int Uninit(PT_H264DEC_CONTEXT* ctx) = 0;
};

class CLibraryPictureDecoder final : public IPictureDecoder {
public:
    // The library must outlive this object; null stands for a library that could not be loaded.
    explicit CLibraryPictureDecoder(const CH264Library* library) : m_library(library) {}

    bool IsPresent() const override;
    int Init(PT_H264DEC_CONTEXT* ctx) override;
    int GetOneFrame(PT_H264DEC_CONTEXT* ctx, const BYTE* data, int len, BYTE* dst) override;
    int Uninit(PT_H264DEC_CONTEXT* ctx) override;

private:
    const CH264Library* m_library;
};
