// The recorder's wall clock: local time counted in seconds since 1970 as if it were UTC, either
// from the host clock or from a fixed start value that then runs on in real time.
#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>

namespace ksim {

class CSimClock {
public:
    // start < 0: the host's local wall clock.
    explicit CSimClock(int64_t start) {
        if (start >= 0) {
            m_baseMs = start * 1000;
        } else {
            const std::time_t now = std::time(nullptr);
            std::tm local{};
            localtime_r(&now, &local);
            m_baseMs = (int64_t(now) + local.tm_gmtoff) * 1000;
        }
        m_origin = std::chrono::steady_clock::now();
    }

    int64_t NowMs() const {
        const auto elapsed = std::chrono::steady_clock::now() - m_origin;
        return m_baseMs + std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    }
    uint32_t NowSeconds() const { return uint32_t(NowMs() / 1000); }

private:
    int64_t m_baseMs = 0;
    std::chrono::steady_clock::time_point m_origin;
};

} // namespace ksim
