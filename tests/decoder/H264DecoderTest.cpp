// The decoder library through its C entry points, against an independent plain decode.

#include "decoder/H264_D1.h"
#include "tests/decoder/TestStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <thread>

extern "C" {
#include <libavutil/log.h>
}

namespace {

constexpr std::size_t kBufferSize = PT_H264DEC_FRAME_BUFFER_SIZE;
static_assert(kBufferSize == 1244160);

class Decoder {
public:
    explicit Decoder(std::uint32_t format) {
        std::memset(&m_ctx, 0, sizeof(m_ctx));
        m_ctx.mode = 1;
        m_ctx.output_format = format;
        PT_H264dec_Uninit(&m_ctx);
        m_init = PT_H264dec_Init(&m_ctx);
    }
    ~Decoder() { PT_H264dec_Uninit(&m_ctx); }
    int Decode(const Bytes& unit, Bytes& dst) {
        return PT_H264dec_GetOneFrame(&m_ctx, unit.data(), int(unit.size()), dst.data());
    }
    int InitResult() const { return m_init; }
    PT_H264DEC_CONTEXT& Context() { return m_ctx; }

private:
    PT_H264DEC_CONTEXT m_ctx;
    int m_init = -1;
};

bool IsPicture(int result) {
    return result == PT_H264DEC_OK || result == 5;
}

std::size_t PictureBytes(std::uint32_t format, int w, int h) {
    return format == PT_H264DEC_FORMAT_RGB24 ? std::size_t(w) * h * 3 : std::size_t(w) * h * 3 / 2;
}

ReferenceFormat ReferenceOf(std::uint32_t format) {
    return format == PT_H264DEC_FORMAT_RGB24 ? ReferenceFormat::Bgr24 : ReferenceFormat::I420;
}

// Decodes every unit and checks each picture against the reference picture of the same index.
void ExpectReferencePictures(Decoder& decoder, const std::vector<Bytes>& units, const std::vector<Bytes>& reference,
                             std::uint32_t format, int w, int h) {
    Bytes dst(kBufferSize);
    std::size_t pictures = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const int result = decoder.Decode(units[i], dst);
        ASSERT_TRUE(IsPicture(result)) << "unit " << i << " result " << result;
        ASSERT_LT(pictures, reference.size());
        const std::size_t bytes = PictureBytes(format, w, h);
        ASSERT_EQ(reference[pictures].size(), bytes);
        EXPECT_EQ(Crc32(dst.data(), bytes), Crc32(reference[pictures].data(), bytes)) << "picture " << pictures;
        EXPECT_EQ(decoder.Context().width, std::uint32_t(w));
        EXPECT_EQ(decoder.Context().height, std::uint32_t(h));
        ++pictures;
    }
    EXPECT_EQ(pictures, reference.size());
}

struct SizeCase {
    std::uint32_t format;
    int width;
    int height;
};

std::string CaseName(const SizeCase& c) {
    return std::string(c.format == PT_H264DEC_FORMAT_RGB24 ? "Rgb" : "Yuv") + std::to_string(c.width) + "x" +
           std::to_string(c.height);
}

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << CaseName(c);
}

class DecodedPictures : public ::testing::TestWithParam<SizeCase> {};

TEST_P(DecodedPictures, MatchAnIndependentDecodePictureByPicture) {
    const SizeCase c = GetParam();
    const EncodedStream stream = EncodeStream({c.width, c.height, 12, 6});
    ASSERT_EQ(stream.units.size(), 12u);
    const std::vector<Bytes> reference = ReferenceDecode(stream.units, ReferenceOf(c.format));
    Decoder decoder(c.format);
    ASSERT_EQ(decoder.InitResult(), 0);
    EXPECT_NE(decoder.Context().initialised, 0u);
    ExpectReferencePictures(decoder, stream.units, reference, c.format, c.width, c.height);
}

// 720 x 576 fills the frame buffer to its last byte in RGB.
INSTANTIATE_TEST_SUITE_P(
    Formats, DecodedPictures,
    ::testing::Values(SizeCase{PT_H264DEC_FORMAT_YUV420, 352, 288}, SizeCase{PT_H264DEC_FORMAT_YUV420, 704, 576},
                      SizeCase{PT_H264DEC_FORMAT_YUV420, 720, 576}, SizeCase{PT_H264DEC_FORMAT_RGB24, 352, 240},
                      SizeCase{PT_H264DEC_FORMAT_RGB24, 704, 576}, SizeCase{PT_H264DEC_FORMAT_RGB24, 720, 576}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return CaseName(info.param); });

TEST(H264Decoder, RgbOutputIsBlueGreenRedWithTheTopRowFirst) {
    // Top half red, bottom half blue (BT.601, limited range).
    auto painter = [](TestPicture& p, int) {
        const int w = p.width;
        const int h = p.height;
        std::uint8_t* y = p.yuv.data();
        std::uint8_t* u = y + w * h;
        std::uint8_t* v = u + (w / 2) * (h / 2);
        for (int row = 0; row < h; ++row) {
            std::memset(y + row * w, row < h / 2 ? 81 : 41, w);
        }
        for (int row = 0; row < h / 2; ++row) {
            std::memset(u + row * (w / 2), row < h / 4 ? 90 : 240, w / 2);
            std::memset(v + row * (w / 2), row < h / 4 ? 240 : 110, w / 2);
        }
    };
    const EncodedStream stream = EncodeStream({352, 288, 1, 1, 0, painter});
    ASSERT_EQ(stream.units.size(), 1u);
    Decoder decoder(PT_H264DEC_FORMAT_RGB24);
    Bytes dst(kBufferSize);
    ASSERT_EQ(decoder.Decode(stream.units[0], dst), PT_H264DEC_OK);
    auto pixel = [&](int row, int col) { return dst.data() + (row * 352 + col) * 3; };
    const std::uint8_t* top = pixel(20, 100);
    const std::uint8_t* bottom = pixel(268, 100);
    EXPECT_LT(top[0], 16);  // blue
    EXPECT_LT(top[1], 16);  // green
    EXPECT_GT(top[2], 235); // red
    EXPECT_GT(bottom[0], 235);
    EXPECT_LT(bottom[1], 16);
    EXPECT_LT(bottom[2], 16);
}

TEST(H264Decoder, FollowsASizeChangeWithinTheStream) {
    const EncodedStream small = EncodeStream({352, 288, 4, 4});
    const EncodedStream large = EncodeStream({704, 576, 4, 4});
    for (std::uint32_t format : {std::uint32_t(PT_H264DEC_FORMAT_YUV420), std::uint32_t(PT_H264DEC_FORMAT_RGB24)}) {
        Decoder decoder(format);
        ExpectReferencePictures(decoder, small.units, ReferenceDecode(small.units, ReferenceOf(format)), format, 352,
                                288);
        ExpectReferencePictures(decoder, large.units, ReferenceDecode(large.units, ReferenceOf(format)), format, 704,
                                576);
        ExpectReferencePictures(decoder, small.units, ReferenceDecode(small.units, ReferenceOf(format)), format, 352,
                                288);
    }
}

TEST(H264Decoder, PicksTheStreamUpAgainAtTheNextIdrAfterSkippedPictures) {
    const EncodedStream stream = EncodeStream({352, 288, 15, 5});
    ASSERT_EQ(stream.units.size(), 15u);
    ASSERT_TRUE(stream.key[10]);
    const std::vector<Bytes> reference = ReferenceDecode(stream.units, ReferenceFormat::I420);
    Decoder decoder(PT_H264DEC_FORMAT_YUV420);
    Bytes dst(kBufferSize);
    for (int i : {0, 1, 2}) {
        ASSERT_EQ(decoder.Decode(stream.units[i], dst), PT_H264DEC_OK);
    }
    // A predicted picture whose references were skipped: whatever comes out, it must not spoil what follows.
    decoder.Decode(stream.units[8], dst);
    const std::vector<Bytes> tail(stream.units.begin() + 10, stream.units.end());
    const std::vector<Bytes> expected(reference.begin() + 10, reference.end());
    ExpectReferencePictures(decoder, tail, expected, PT_H264DEC_FORMAT_YUV420, 352, 288);
}

// Parameter sets may travel in a unit of their own before the IDR picture: that unit gives no
// picture, and starting afresh at the IDR picture keeps them.
TEST(H264Decoder, ParameterSetsInAUnitOfTheirOwnSurviveTheIdrPicture) {
    const EncodedStream stream = EncodeStream({352, 288, 4, 4});
    ASSERT_EQ(stream.units.size(), 4u);
    const Bytes& first = stream.units[0];
    // Split before the first IDR slice (NAL type 5).
    std::size_t split = 0;
    for (std::size_t i = 0; i + 3 < first.size(); ++i) {
        if (first[i] == 0 && first[i + 1] == 0 && first[i + 2] == 1 && (first[i + 3] & 0x1F) == 5) {
            split = i;
            break;
        }
    }
    ASSERT_GT(split, 0u);
    const Bytes parameterSets(first.begin(), first.begin() + split);
    std::vector<Bytes> rest{Bytes(first.begin() + split, first.end())};
    rest.insert(rest.end(), stream.units.begin() + 1, stream.units.end());

    Decoder decoder(PT_H264DEC_FORMAT_YUV420);
    Bytes dst(kBufferSize);
    EXPECT_EQ(decoder.Decode(parameterSets, dst), PT_H264DEC_NO_PICTURE);
    ExpectReferencePictures(decoder, rest, ReferenceDecode(stream.units, ReferenceFormat::I420),
                            PT_H264DEC_FORMAT_YUV420, 352, 288);
}

struct OversizeCase {
    int width;
    int height;
    bool decodable; // within the decoder's pixel limit, so it is decoded, then dropped
};

std::string CaseName(const OversizeCase& c) {
    return std::to_string(c.width) + "x" + std::to_string(c.height);
}

void PrintTo(const OversizeCase& c, std::ostream* os) {
    *os << CaseName(c);
}

class OversizedStream : public ::testing::TestWithParam<OversizeCase> {};

TEST_P(OversizedStream, GivesNoPictureAndLeavesTheBufferUntouched) {
    const OversizeCase c = GetParam();
    av_log_set_level(AV_LOG_QUIET);
    const EncodedStream stream = EncodeStream({c.width, c.height, 3, 3});
    ASSERT_EQ(stream.units.size(), 3u);
    for (std::uint32_t format : {std::uint32_t(PT_H264DEC_FORMAT_YUV420), std::uint32_t(PT_H264DEC_FORMAT_RGB24)}) {
        Decoder decoder(format);
        Bytes dst(kBufferSize, 0xA5);
        for (const Bytes& unit : stream.units) {
            EXPECT_FALSE(IsPicture(decoder.Decode(unit, dst)));
        }
        EXPECT_EQ(std::count(dst.begin(), dst.end(), 0xA5), std::ptrdiff_t(kBufferSize));
        if (c.decodable) {
            EXPECT_EQ(decoder.Context().dropped, 3u);
            EXPECT_EQ(decoder.Context().width, std::uint32_t(c.width));
            EXPECT_EQ(decoder.Context().height, std::uint32_t(c.height));
        }
    }
    av_log_set_level(AV_LOG_INFO);
}

INSTANTIATE_TEST_SUITE_P(Sizes, OversizedStream,
                         ::testing::Values(OversizeCase{1920, 1080, false}, OversizeCase{768, 240, true},
                                           OversizeCase{352, 640, true}, OversizeCase{722, 576, true}),
                         [](const ::testing::TestParamInfo<OversizeCase>& info) { return CaseName(info.param); });

TEST(H264Decoder, GarbageGivesAnErrorOrNoPictureAndTheNextIdrDecodesCleanly) {
    av_log_set_level(AV_LOG_QUIET);
    const EncodedStream stream = EncodeStream({352, 288, 6, 3});
    ASSERT_EQ(stream.units.size(), 6u);
    const std::vector<Bytes> reference = ReferenceDecode(stream.units, ReferenceFormat::I420);

    std::mt19937 random(1234);
    Bytes noise(5000);
    for (auto& b : noise) {
        b = std::uint8_t(random() & 0xFE); // no 0x01, so no start code
    }
    Bytes startCodeNoise = {0, 0, 0, 1, 0x65};
    startCodeNoise.insert(startCodeNoise.end(), noise.begin(), noise.end());
    const Bytes& idr = stream.units[0];
    Bytes truncated(idr.begin(), idr.begin() + idr.size() / 3);
    Bytes flipped = idr;
    for (std::size_t i = flipped.size() / 4; i < flipped.size(); i += 7) {
        flipped[i] ^= 0x5A;
    }

    Decoder decoder(PT_H264DEC_FORMAT_YUV420);
    Bytes dst(kBufferSize);
    EXPECT_EQ(decoder.Decode(noise, dst), PT_H264DEC_ERR_DATA);
    for (const Bytes* bad : {&startCodeNoise, &truncated, &flipped, &noise}) {
        const int result = decoder.Decode(*bad, dst);
        if (IsPicture(result)) {
            EXPECT_LE(decoder.Context().width, 720u);
            EXPECT_LE(decoder.Context().height, 576u);
        }
    }
    EXPECT_EQ(PT_H264dec_GetOneFrame(&decoder.Context(), idr.data(), 0, dst.data()), PT_H264DEC_ERR_PARAM);
    EXPECT_EQ(PT_H264dec_GetOneFrame(&decoder.Context(), idr.data(), -4, dst.data()), PT_H264DEC_ERR_PARAM);
    EXPECT_EQ(PT_H264dec_GetOneFrame(&decoder.Context(), nullptr, 100, dst.data()), PT_H264DEC_ERR_PARAM);
    EXPECT_EQ(PT_H264dec_GetOneFrame(&decoder.Context(), idr.data(), int(idr.size()), nullptr), PT_H264DEC_ERR_PARAM);

    const std::vector<Bytes> tail(stream.units.begin() + 3, stream.units.end());
    ExpectReferencePictures(decoder, tail, std::vector<Bytes>(reference.begin() + 3, reference.end()),
                            PT_H264DEC_FORMAT_YUV420, 352, 288);
    av_log_set_level(AV_LOG_INFO);
}

TEST(H264Decoder, ContextLifecycle) {
    const EncodedStream stream = EncodeStream({352, 288, 1, 1});
    ASSERT_EQ(stream.units.size(), 1u);
    const Bytes& idr = stream.units[0];
    Bytes dst(kBufferSize);

    PT_H264DEC_CONTEXT ctx;
    std::memset(&ctx, 0, sizeof(ctx));
    ctx.mode = 1;
    // Before Init nothing is decoded; Uninit of a fresh context is harmless, also twice.
    EXPECT_EQ(PT_H264dec_GetOneFrame(&ctx, idr.data(), int(idr.size()), dst.data()), PT_H264DEC_ERR_PARAM);
    EXPECT_EQ(PT_H264dec_Uninit(&ctx), 0);
    EXPECT_EQ(PT_H264dec_Uninit(&ctx), 0);
    EXPECT_NE(PT_H264dec_Init(nullptr), 0);
    EXPECT_EQ(PT_H264dec_GetOneFrame(nullptr, idr.data(), int(idr.size()), dst.data()), PT_H264DEC_ERR_PARAM);

    ASSERT_EQ(PT_H264dec_Init(&ctx), 0);
    EXPECT_NE(ctx.initialised, 0u);
    EXPECT_EQ(ctx.mode, 1u);
    // An output format the library does not know gives no picture.
    ctx.output_format = 1;
    EXPECT_EQ(PT_H264dec_GetOneFrame(&ctx, idr.data(), int(idr.size()), dst.data()), PT_H264DEC_ERR_PARAM);
    ctx.output_format = PT_H264DEC_FORMAT_YUV420;
    EXPECT_EQ(PT_H264dec_GetOneFrame(&ctx, idr.data(), int(idr.size()), dst.data()), PT_H264DEC_OK);
    // Init again on a live context starts afresh (the sanitizer's leak check sees the old decoder freed).
    ASSERT_EQ(PT_H264dec_Init(&ctx), 0);
    EXPECT_EQ(PT_H264dec_GetOneFrame(&ctx, idr.data(), int(idr.size()), dst.data()), PT_H264DEC_OK);
    EXPECT_EQ(PT_H264dec_Uninit(&ctx), 0);
    EXPECT_EQ(ctx.initialised, 0u);
    EXPECT_EQ(ctx.session, nullptr);
    EXPECT_EQ(PT_H264dec_GetOneFrame(&ctx, idr.data(), int(idr.size()), dst.data()), PT_H264DEC_ERR_PARAM);
}

TEST(H264Decoder, ContextsOnSeveralThreadsDecodeIndependently) {
    const EncodedStream a = EncodeStream({352, 288, 10, 5});
    const EncodedStream b = EncodeStream({704, 576, 10, 5, 0, FlatColour(120, 60, 200)});
    const std::vector<Bytes> refA = ReferenceDecode(a.units, ReferenceFormat::Bgr24);
    const std::vector<Bytes> refB = ReferenceDecode(b.units, ReferenceFormat::I420);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const bool odd = t & 1;
            const std::uint32_t format = odd ? PT_H264DEC_FORMAT_YUV420 : PT_H264DEC_FORMAT_RGB24;
            Decoder decoder(format);
            for (int round = 0; round < 3; ++round) {
                ExpectReferencePictures(decoder, odd ? b.units : a.units, odd ? refB : refA, format, odd ? 704 : 352,
                                        odd ? 576 : 288);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
}

} // namespace
