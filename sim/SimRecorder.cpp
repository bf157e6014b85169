#include "sim/SimRecorder.h"

#include "sim/RecordedMedia.h"
#include "sim/StreamLibrary.h"

namespace ksim {

CSimRecorder::CSimRecorder(CSimConfig config)
    : m_config(std::move(config)), m_clock(m_config.clock), m_startClock(m_clock.NowSeconds()) {
    const int channels = m_config.ServedChannels();
    m_archive =
        std::make_unique<CSimArchive>(m_config.seed, channels, m_config.days, m_startClock, m_config.logEntries);
    m_library = std::make_unique<CStreamLibrary>(m_config.Video(), channels, m_config.LoopFrames(),
                                                 StreamRate{m_config.bitrateKbps, m_config.seed});
    if (!m_library->Ok())
        m_error = m_library->Error();
    m_media = std::make_unique<CRecordedMedia>(*m_archive, *m_library);
    m_setup = std::make_unique<CSetupRecord>(m_config, m_startClock);
}

CSimRecorder::~CSimRecorder() = default;

CSetupRecord CSimRecorder::Setup() const {
    std::lock_guard lock(m_lock);
    return *m_setup;
}

void CSimRecorder::SetSetup(const CSetupRecord& record) {
    std::lock_guard lock(m_lock);
    *m_setup = record;
}

void CSimRecorder::ResetSetup() {
    std::lock_guard lock(m_lock);
    *m_setup = CSetupRecord(m_config, m_clock.NowSeconds());
}

void CSimRecorder::StoreFirmware(const FirmwareUpload& upload) {
    std::lock_guard lock(m_lock);
    m_firmware = upload;
}

FirmwareUpload CSimRecorder::Firmware() const {
    std::lock_guard lock(m_lock);
    return m_firmware;
}

void CSimRecorder::CountTalk(bool wellFormed) {
    ++m_talkBlocks;
    if (!wellFormed)
        ++m_talkMalformed;
}

} // namespace ksim
