// The rate of the pre-encoded loops: the --bitrate option, the rate the loops reach, and that the
// grain that makes them reach it is the same for the same seed.
#include "sim/SimConfig.h"
#include "sim/StreamLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ksim::CSimConfig Parsed(std::vector<const char*> args, bool& ok) {
    args.insert(args.begin(), "kelo-recorder-sim");
    ksim::CSimConfig config;
    std::string error;
    bool help = false;
    ok = config.Parse(int(args.size()), args.data(), error, help);
    return config;
}

// Average kbit/s of one channel's loop.
double LoopKbps(const ksim::CStreamLibrary& library, int channel) {
    const double seconds = double(library.LoopFrames()) / library.Format().fps;
    return double(library.StreamBytes(channel, uint64_t(library.LoopFrames()))) * 8.0 / seconds / 1000.0;
}

TEST(SimBitrateTest, OptionTakesARateInItsRangeOnly) {
    bool ok = false;
    EXPECT_EQ(Parsed({}, ok).bitrateKbps, 0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(Parsed({"--bitrate", "2000"}, ok).bitrateKbps, 2000);
    EXPECT_TRUE(ok);
    for (const char* bad : {"0", "99", "20001", "2M", ""}) {
        Parsed({"--bitrate", bad}, ok);
        EXPECT_FALSE(ok) << bad;
    }
    EXPECT_NE(ksim::CSimConfig::HelpText().find("--bitrate KBPS"), std::string::npos);
}

struct RateCase {
    int kbps;     // 0: the default picture
    double least; // the loop's average must lie in [least, most]
    double most;
};

class SimLoopRateTest : public ::testing::TestWithParam<RateCase> {};

TEST_P(SimLoopRateTest, LoopAveragesNearTheTarget) {
    const RateCase rc = GetParam();
    bool ok = false;
    const ksim::CSimConfig config = Parsed({"--seed", "7"}, ok);
    ASSERT_TRUE(ok);
    const ksim::CStreamLibrary library(config.Video(), 2, config.LoopFrames(), ksim::StreamRate{rc.kbps, config.seed});
    ASSERT_TRUE(library.Ok()) << library.Error();
    for (int ch = 0; ch < library.Channels(); ++ch) {
        const double kbps = LoopKbps(library, ch);
        EXPECT_GE(kbps, rc.least) << "channel " << ch;
        EXPECT_LE(kbps, rc.most) << "channel " << ch;
    }
}

// The benchmarks' 2 Mbit/s, a low rate, and the default's simple picture, which stays far below.
INSTANTIATE_TEST_SUITE_P(Rates, SimLoopRateTest,
                         ::testing::Values(RateCase{2000, 1800, 2200}, RateCase{500, 450, 550}, RateCase{0, 20, 400}),
                         [](const ::testing::TestParamInfo<RateCase>& info) {
                             return info.param.kbps == 0 ? std::string("Default")
                                                         : std::to_string(info.param.kbps) + "kbps";
                         });

TEST(SimBitrateTest, GrainComesFromTheSeed) {
    const ksim::VideoFormat cif{352, 288, 0, true, 25};
    const ksim::CStreamLibrary a(cif, 1, 50, ksim::StreamRate{1000, 3});
    const ksim::CStreamLibrary b(cif, 1, 50, ksim::StreamRate{1000, 3});
    const ksim::CStreamLibrary other(cif, 1, 50, ksim::StreamRate{1000, 4});
    ASSERT_TRUE(a.Ok() && b.Ok() && other.Ok());
    bool sameAsOther = true;
    for (int n = 0; n < a.LoopFrames(); ++n) {
        ASSERT_EQ(a.AccessUnit(0, uint64_t(n)), b.AccessUnit(0, uint64_t(n))) << "picture " << n;
        sameAsOther = sameAsOther && a.AccessUnit(0, uint64_t(n)) == other.AccessUnit(0, uint64_t(n));
    }
    EXPECT_FALSE(sameAsOther);
}

} // namespace
