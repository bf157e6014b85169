#pragma once
// What the end-to-end benches share: the programs' folder, the decoder library, the cores they are
// held to, the simulator process, the video window the client draws into and the event loop that
// runs it, a logged-in client, and the figures taken from the window's statistics.

#include "decoder/H264Library.h"
#include "media/VideoDlg.h"
#include "media/VideoOwner.h"
#include "platform/window/Dialog.h"
#include "protocol/DvrClient.h"
#include "tests/support/SimProcess.h"

#include <sched.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelobench {

// Where the build put the programs and the decoder library: KELO_BIN_DIR, else this program's folder.
std::string BinDir();

// The cores of a list such as "6,7".
cpu_set_t CpuSet(const std::string& cpus);

// Loads the decoder library from BinDir(); false, said on standard error, when it is missing.
bool LoadDecoderLibrary(CH264Library& library);

// Holds this process to `cpus`, if any, and loads the decoder library; false, said on standard
// error, when either fails.
bool PinAndLoad(const std::string& cpus, CH264Library& library);

// Starts the simulator with `options`; false, said on standard error, when it did not start.
bool StartSimulator(SimProcess& sim, const std::vector<std::string>& options);

// Runs the UI thread's event loop (blocking, as the program's does) for a while.
void PumpFor(std::chrono::milliseconds time);

// The value below which `share` of the values lie (0 for none).
double Percentile(std::vector<double> values, double share);

class BenchOwner : public IVideoOwner {
public:
    explicit BenchOwner(const CH264Library* library) : m_library(library) {}
    const CH264Library* GetDecoderLibrary() const override { return m_library; }

private:
    const CH264Library* m_library;
};

// A window of the main window's size with the video window in its place, as the program has it.
struct BenchWindow {
    BenchWindow(const CH264Library* library, bool yuv);
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    BenchOwner owner;
    CDialog host;
    CVideoDlg video;
};

// A client of `host` connected to the simulator at `port` with live view running in `video`;
// null, said on standard error, when live view did not start within `timeoutMs` or `failed` said so.
std::unique_ptr<CDvrClient> ConnectLive(IClientHost& host, CVideoDlg& video, int port, int timeoutMs,
                                        const std::function<bool()>& failed = {});

// Pictures decoded over every channel.
std::uint64_t DecodedPictures(CVideoDlg& video);

} // namespace kelobench
