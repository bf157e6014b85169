#include "media/AudioPlayer.h"

#include "media/SoundOut.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kMinBlocksPerChunk = 1;
constexpr int kMaxBlocksPerChunk = 255;
// Playing begins when more chunks than this wait.
constexpr std::size_t kStartChunks = 3;

int ClampBlocks(int n) {
    return std::clamp(n, kMinBlocksPerChunk, kMaxBlocksPerChunk);
}

} // namespace

CAudioPlayer::CAudioPlayer(const IAudioOwner* owner, int blocksPerChunk, const char* device)
    : m_owner(owner), m_blocksPerChunk(ClampBlocks(blocksPerChunk)),
      m_chunkBytes(std::size_t(m_blocksPerChunk) * kBlockSize) {
    m_soundOut = std::make_unique<CSoundOut>(*this);
    CWaveFormat& format = m_soundOut->Format();
    format.SetFormatTag(WAVE_FORMAT_MULAW);
    format.SetBitsPerSample(8);
    format.SetChannels(1);
    format.SetSamplesPerSec(8000);
    format.SetBufferSize(static_cast<DWORD>(m_blocksPerChunk));
    if (!m_soundOut->Open(device)) {
        // Without a device the player takes nothing.
        m_feedingStopped.store(true);
        return;
    }
    m_feeder = std::thread([this] { FeedThread(); });
}

CAudioPlayer::~CAudioPlayer() {
    Stop();
}

bool CAudioPlayer::QueueBlock(const BYTE* block, std::size_t length) {
    if (block == nullptr || length == 0 || length > kBlockSize) {
        return false;
    }
    {
        std::lock_guard lock(m_blockLock);
        if (m_stop || m_feedingStopped.load()) {
            return false;
        }
        if (m_blocks.size() >= kMaxBlocks) {
            m_blocks.pop_front();
        }
        m_blocks.emplace_back(block, block + length);
    }
    m_blockReady.notify_one();
    return true;
}

std::size_t CAudioPlayer::QueuedBlocks() const {
    std::lock_guard lock(m_blockLock);
    return m_blocks.size();
}

void CAudioPlayer::StopFeeding() {
    m_feedingStopped.store(true);
    std::lock_guard lock(m_blockLock);
    m_blocks.clear();
}

void CAudioPlayer::Flush() {
    StopFeeding();
    std::lock_guard lock(m_chunkLock);
    m_chunks.clear();
}

bool CAudioPlayer::GetNextBlock(CWaveBuffer& buffer) {
    std::vector<BYTE> chunk;
    {
        std::lock_guard lock(m_chunkLock);
        if (!m_chunks.empty()) {
            chunk = std::move(m_chunks.front());
            m_chunks.pop_front();
        }
    }
    if (chunk.empty()) {
        const std::size_t size = std::min(m_chunkBytes, buffer.GetCapacity());
        std::memset(buffer.GetData(), kSilence, size);
        buffer.SetSize(size);
        return true;
    }
    const std::size_t size = std::min(chunk.size(), buffer.GetCapacity());
    std::memcpy(buffer.GetData(), chunk.data(), size);
    buffer.SetSize(size);
    return true;
}

DWORD CAudioPlayer::GetVolume() const {
    if (m_owner == nullptr) {
        return 0xFFFFFFFF;
    }
    if (m_owner->IsMuted()) {
        return 0;
    }
    const DWORD v = std::min<DWORD>(m_owner->GetVolumeValue(), 0xFFFF);
    return (v << 16) | v;
}

bool CAudioPlayer::IsPlaying() const {
    return m_soundOut && m_soundOut->IsPlaying();
}

std::size_t CAudioPlayer::ChunkCount() const {
    std::lock_guard lock(m_chunkLock);
    return m_chunks.size();
}

PcmDeviceKind CAudioPlayer::GetDeviceKind() const {
    return m_soundOut ? m_soundOut->GetDeviceKind() : PcmDeviceKind::Silent;
}

void CAudioPlayer::Assemble(const std::vector<BYTE>& block, std::vector<BYTE>& assembly, std::size_t& offset) {
    std::size_t used = 0;
    while (used < block.size()) {
        const std::size_t n = std::min(block.size() - used, m_chunkBytes - offset);
        std::memcpy(assembly.data() + offset, block.data() + used, n);
        used += n;
        offset += n;
        if (offset < m_chunkBytes) {
            continue;
        }
        offset = 0;
        std::size_t count = 0;
        {
            std::lock_guard lock(m_chunkLock);
            // A flush may have come while the block was copied: nothing of it may play.
            if (m_feedingStopped.load()) {
                return;
            }
            if (m_chunks.size() >= kMaxChunks) {
                m_chunks.pop_front();
            }
            m_chunks.push_back(assembly);
            count = m_chunks.size();
        }
        if (count > kStartChunks) {
            m_soundOut->Start();
        }
    }
}

void CAudioPlayer::FeedThread() {
    std::vector<BYTE> assembly(m_chunkBytes);
    std::size_t offset = 0;
    for (;;) {
        std::vector<BYTE> block;
        {
            std::unique_lock lock(m_blockLock);
            m_blockReady.wait(lock, [&] { return m_stop || (!m_blocks.empty() && !m_feedingStopped.load()); });
            if (m_stop) {
                break;
            }
            block = std::move(m_blocks.front());
            m_blocks.pop_front();
        }
        Assemble(block, assembly, offset);
    }
    Flush();
    m_soundOut->Stop();
}

void CAudioPlayer::Stop() {
    if (m_stopped.exchange(true)) {
        return;
    }
    {
        std::lock_guard lock(m_blockLock);
        m_stop = true;
    }
    m_blockReady.notify_all();
    if (m_feeder.joinable()) {
        m_feeder.join();
    }
    StopFeeding();
    if (m_soundOut) {
        m_soundOut->Close();
    }
    Flush();
}
