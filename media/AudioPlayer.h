#pragma once
// The live audio player: the recorder's µ-law audio blocks (from live view, remote playback or the
// local player) are packed by a feeder thread into chunks of n blocks, and the wave-out side plays
// them three chunks at a time. Playing begins once four chunks wait, so that the device does not
// run dry at once; a device that has nothing to play plays silence until the player ends.
//
// Threads: QueueBlock comes from the producer's thread (socket or local player), the feeder moves
// blocks into chunks, the wave-out device's thread takes chunks. Stop may come from any thread but
// the device's.

#include "media/AudioOwner.h"
#include "media/WaveBuffer.h"
#include "platform/audio/PcmDevice.h"
#include "platform/base/WinTypes.h"
#include "protocol/IAudioPlayer.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CSoundOut;

class CAudioPlayer final : public IAudioPlayer {
public:
    static constexpr std::size_t kBlockSize = 512;
    static constexpr BYTE kSilence = 0xFF;
    // Chunks waiting beyond this many push out the oldest, so a device slower than the recorder
    // cannot make the sound lag further and further behind.
    static constexpr std::size_t kMaxChunks = 8;
    // Blocks queued beyond this many while the feeder is behind push out the oldest.
    static constexpr std::size_t kMaxBlocks = 256;

    // blocksPerChunk: the AudioBuf setting (1-255; other values are taken as the nearest). owner may
    // be null (full volume). device: see PcmDevice.h (null: the environment's choice).
    CAudioPlayer(const IAudioOwner* owner, int blocksPerChunk, const char* device = nullptr);
    ~CAudioPlayer() override;
    CAudioPlayer(const CAudioPlayer&) = delete;
    CAudioPlayer& operator=(const CAudioPlayer&) = delete;

    // ---- IAudioPlayer
    // Takes a block of 1-512 µ-law bytes. False (the block dropped) when the player has no device,
    // is ending, or its feeding has been stopped.
    bool QueueBlock(const BYTE* block, std::size_t length) override;
    // Stops feeding and throws away every queued block and waiting chunk: the player stays silent
    // until it ends.
    void Flush() override;
    // Blocks queued and not yet packed into a chunk.
    std::size_t QueuedBlocks() const override;
    // Ends the feeder, the device and everything queued; the player can then be deleted.
    void Stop() override;

    // ---- the wave-out side
    // Fills the buffer with the oldest chunk, or with one chunk of silence when none waits.
    bool GetNextBlock(CWaveBuffer& buffer);
    // The device volume: 0 while muted, else the slider's value in both halves.
    DWORD GetVolume() const;
    // No block is queued any more; every queued one is thrown away.
    void StopFeeding();

    // ---- state, for the owner and for tests
    bool IsOpen() const { return m_feeder.joinable(); }
    bool IsPlaying() const;
    int GetBlocksPerChunk() const { return m_blocksPerChunk; }
    std::size_t ChunkCount() const;
    PcmDeviceKind GetDeviceKind() const;

private:
    void FeedThread();
    // Appends bytes to the chunk being assembled; full chunks join the chunk list.
    void Assemble(const std::vector<BYTE>& block, std::vector<BYTE>& assembly, std::size_t& offset);

    const IAudioOwner* const m_owner;
    const int m_blocksPerChunk;
    const std::size_t m_chunkBytes;

    mutable std::mutex m_blockLock;
    std::condition_variable m_blockReady;
    std::deque<std::vector<BYTE>> m_blocks;
    bool m_stop = false;
    std::atomic<bool> m_feedingStopped{false};

    mutable std::mutex m_chunkLock;
    std::deque<std::vector<BYTE>> m_chunks;

    std::unique_ptr<CSoundOut> m_soundOut;
    std::thread m_feeder;
    std::atomic<bool> m_stopped{false};
};
