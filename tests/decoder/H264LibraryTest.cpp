// Loading the decoder library by name, and running without it.

#include "decoder/H264Library.h"
#include "tests/decoder/TestStream.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

// The library as built; the test programs land beside it, which the default path relies on.
std::string BuiltLibrary() {
    const char* bin = std::getenv("KELO_BIN_DIR");
    return bin && *bin ? std::string(bin) + "/" + CH264Library::kFileName : CH264Library::DefaultPath();
}

PT_H264DEC_CONTEXT FreshContext() {
    PT_H264DEC_CONTEXT ctx;
    std::memset(&ctx, 0, sizeof(ctx));
    ctx.mode = 1;
    ctx.output_format = PT_H264DEC_FORMAT_YUV420;
    return ctx;
}

TEST(H264Library, DecodesThroughTheEntryPointsFoundByName) {
    const EncodedStream stream = EncodeStream({352, 288, 2, 2});
    ASSERT_EQ(stream.units.size(), 2u);
    const std::vector<Bytes> reference = ReferenceDecode(stream.units, ReferenceFormat::I420);

    for (const std::string& path : {BuiltLibrary(), CH264Library::DefaultPath()}) {
        CH264Library library;
        ASSERT_TRUE(library.Load(path.c_str())) << path;
        ASSERT_TRUE(library.GetEntries().init && library.GetEntries().getOneFrame && library.GetEntries().uninit);
        PT_H264DEC_CONTEXT ctx = FreshContext();
        library.Uninit(&ctx);
        ASSERT_EQ(library.Init(&ctx), 0);
        Bytes dst(PT_H264DEC_FRAME_BUFFER_SIZE);
        for (std::size_t i = 0; i < stream.units.size(); ++i) {
            ASSERT_EQ(library.GetOneFrame(&ctx, stream.units[i].data(), int(stream.units[i].size()), dst.data()),
                      PT_H264DEC_OK);
            EXPECT_EQ(Crc32(dst.data(), reference[i].size()), Crc32(reference[i].data(), reference[i].size()));
        }
        EXPECT_EQ(library.Uninit(&ctx), 0);
        EXPECT_EQ(ctx.initialised, 0u);
    }
}

TEST(H264Library, WithoutTheLibraryEveryCallIsSkipped) {
    const EncodedStream stream = EncodeStream({352, 288, 1, 1});
    CH264Library library;
    EXPECT_FALSE(library.Load("/nonexistent/libH264_D1.so"));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.GetEntries().getOneFrame, nullptr);

    // A library that was loaded and freed again behaves the same.
    CH264Library freed;
    ASSERT_TRUE(freed.Load(BuiltLibrary().c_str()));
    freed.Free();

    for (const CH264Library* lib : {&library, &freed}) {
        PT_H264DEC_CONTEXT ctx = FreshContext();
        Bytes dst(PT_H264DEC_FRAME_BUFFER_SIZE, 0x33);
        EXPECT_EQ(lib->Uninit(&ctx), 0);
        EXPECT_NE(lib->Init(&ctx), 0);
        EXPECT_EQ(ctx.initialised, 0u);
        EXPECT_NE(lib->GetOneFrame(&ctx, stream.units[0].data(), int(stream.units[0].size()), dst.data()),
                  PT_H264DEC_OK);
        EXPECT_EQ(std::count(dst.begin(), dst.end(), 0x33), std::ptrdiff_t(dst.size()));
    }
}

// The lines of `err` that report the decoder library.
std::vector<std::string> Reports(const std::string& err) {
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        if (line.find("decoder library") != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Each case in a fresh child, as the report is made once per process: two failed loads give one line
// that names the file and the loader's reason; a library without the entry points names them.
TEST(H264Library, AFailedLoadSaysWhyOnceOnStandardError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CH264Library library;
            library.Load("/nonexistent/libH264_D1.so");
            library.Load("/nonexistent/other/libH264_D1.so");
            std::_Exit(library.IsLoaded() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), ::testing::Truly([](const std::string& err) {
            const std::vector<std::string> lines = Reports(err);
            return lines.size() == 1 && lines[0].find("/nonexistent/libH264_D1.so") != std::string::npos &&
                   lines[0].find("No such file") != std::string::npos;
        }));
    EXPECT_EXIT(
        {
            CH264Library library;
            const bool loaded = library.Load("libz.so.1");
            std::_Exit(loaded && library.GetEntries().init == nullptr ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), ::testing::Truly([](const std::string& err) {
            const std::vector<std::string> lines = Reports(err);
            return lines.size() == 1 &&
                   lines[0].find("PT_H264dec_Init, PT_H264dec_GetOneFrame, PT_H264dec_Uninit") != std::string::npos;
        }));
    // The library as built loads without a word.
    EXPECT_EXIT(
        {
            CH264Library library;
            std::_Exit(library.Load(BuiltLibrary().c_str()) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), ::testing::Truly([](const std::string& err) { return Reports(err).empty(); }));
}

} // namespace
