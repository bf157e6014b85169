// The recorder behind the sessions: configuration, clock, setup record, archive and the state
// that outlives one connection (recording on or off, an uploaded firmware image, talk counts).
// Sessions come and go; the recorder stays for the life of the server.
#pragma once

#include "sim/SetupRecord.h"
#include "sim/SimArchive.h"
#include "sim/SimClock.h"
#include "sim/SimConfig.h"
#include "sim/SimJournal.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace ksim {

class CStreamLibrary;
class CRecordedMedia;

struct FirmwareUpload {
    uint8_t slot = 0;
    uint32_t version = 0;
    std::string name;
    Bytes image;
    bool complete = false;
};

class CSimRecorder {
public:
    explicit CSimRecorder(CSimConfig config);
    ~CSimRecorder();

    // False when the pictures could not be encoded (the reason in Error()).
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    const CSimConfig& Config() const { return m_config; }
    const CSimClock& Clock() const { return m_clock; }
    CSimJournal& Journal() { return m_journal; }
    const CSimArchive& Archive() const { return *m_archive; }
    const CStreamLibrary& Library() const { return *m_library; }
    const CRecordedMedia& Media() const { return *m_media; }

    CSetupRecord Setup() const;
    void SetSetup(const CSetupRecord& record);
    void ResetSetup();

    bool Recording() const { return m_recording.load(); }
    void SetRecording(bool on) { m_recording = on; }

    void StoreFirmware(const FirmwareUpload& upload);
    FirmwareUpload Firmware() const;

    void CountTalk(bool wellFormed);
    // Requests that broke their layout, over every session.
    void CountViolation() { ++m_violations; }
    size_t Violations() const { return m_violations.load(); }
    size_t TalkBlocks() const { return m_talkBlocks.load(); }
    size_t MalformedTalkBlocks() const { return m_talkMalformed.load(); }

private:
    CSimConfig m_config;
    CSimClock m_clock;
    uint32_t m_startClock;
    CSimJournal m_journal;
    std::unique_ptr<CSimArchive> m_archive;
    std::unique_ptr<CStreamLibrary> m_library;
    std::unique_ptr<CRecordedMedia> m_media;
    std::string m_error;

    mutable std::mutex m_lock;
    std::unique_ptr<CSetupRecord> m_setup;
    FirmwareUpload m_firmware;
    std::atomic<bool> m_recording{true};
    std::atomic<size_t> m_talkBlocks{0};
    std::atomic<size_t> m_talkMalformed{0};
    std::atomic<size_t> m_violations{0};
};

} // namespace ksim
