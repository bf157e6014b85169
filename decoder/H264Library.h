#pragma once
// The decoder library, loaded by name from the program's folder at start-up and freed at the end.
// When it cannot be loaded there is simply no video: the entry points stay null and the calls made
// through this object do nothing and report no picture. The first library that fails to load, or
// lacks an entry point, says why on standard error; later failures in the same process say nothing.

#include "decoder/H264_D1.h"

#include <string>

class CH264Library {
public:
    static constexpr const char* kFileName = "libH264_D1.so";

    // The three entry points, looked up by name; each is null when the library or the name is missing.
    struct Entries {
        PFN_PT_H264dec_Init init = nullptr;
        PFN_PT_H264dec_GetOneFrame getOneFrame = nullptr;
        PFN_PT_H264dec_Uninit uninit = nullptr;
    };

    CH264Library() = default;
    ~CH264Library();
    CH264Library(const CH264Library&) = delete;
    CH264Library& operator=(const CH264Library&) = delete;

    // Loads kFileName from the folder of the running program, else through the library search; or the
    // library at `path` when given.
    // A library already loaded is freed first. False when nothing could be loaded.
    bool Load(const char* path = nullptr);
    void Free();
    bool IsLoaded() const { return m_module != nullptr; }
    const Entries& GetEntries() const { return m_entries; }

    // The calls, skipped when their entry point is missing: Init and GetOneFrame then give
    // PT_H264DEC_ERR_PARAM, Uninit gives 0.
    int Init(PT_H264DEC_CONTEXT* ctx) const;
    int GetOneFrame(PT_H264DEC_CONTEXT* ctx, const unsigned char* data, int len, unsigned char* dst) const;
    int Uninit(PT_H264DEC_CONTEXT* ctx) const;

    // kFileName in the folder of the running program.
    static std::string DefaultPath();

private:
    void* m_module = nullptr;
    Entries m_entries;
};
