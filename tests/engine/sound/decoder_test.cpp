#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "SoundTestData.h"
#include "engine/base/Log.h"
#include "engine/file/File.h"
#include "engine/sound/SoundDecoder.h"

using namespace soundtest;

namespace {

std::unique_ptr<ISoundDecoder> Open(const std::vector<uint8_t>& bytes) {
    return CreateSoundDecoder(std::make_unique<CMemoryFileObject>(bytes), "test");
}

std::vector<uint8_t> ReadAll(ISoundDecoder& d) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> buf(1000 * d.GetFormat().BlockAlign());
    while (uint32_t n = d.Read(buf.data(), 1000)) out.insert(out.begin() + out.size(), buf.begin(), buf.begin() + n * d.GetFormat().BlockAlign());
    return out;
}

}  // namespace

TEST(WaveDecoder, ReturnsExactPcmOfEveryLayout) {
    struct Case { int channels, bits; uint32_t rate; bool extra; };
    for (Case c : {Case{2, 16, 44100, false}, Case{1, 16, 22050, true}, Case{1, 8, 11025, false}, Case{2, 8, 44100, true}}) {
        std::vector<uint8_t> pcm;
        if (c.bits == 16) {
            pcm = ToBytes(MakePcm16(c.channels * 10 + c.bits, 777, c.channels));
        } else {
            for (int i = 0; i < 777 * c.channels; ++i) pcm.push_back(static_cast<uint8_t>(i * 37));
        }
        auto d = Open(MakeWave(pcm, c.channels, c.bits, c.rate, c.extra));
        ASSERT_TRUE(d) << c.channels << "ch " << c.bits << "bit";
        EXPECT_EQ(d->GetFormat().channels, c.channels);
        EXPECT_EQ(d->GetFormat().bits, c.bits);
        EXPECT_EQ(d->GetFormat().rate, c.rate);
        EXPECT_EQ(d->GetTotalFrames(), 777u);
        EXPECT_EQ(ReadAll(*d), pcm);
        // Seeking lands on the frame.
        ASSERT_TRUE(d->SeekFrame(700));
        std::vector<uint8_t> tail(77 * d->GetFormat().BlockAlign());
        EXPECT_EQ(d->Read(tail.data(), 1000), 77u);
        EXPECT_TRUE(std::equal(tail.begin(), tail.end(), pcm.end() - static_cast<long>(tail.size())));
    }
}

TEST(WaveDecoder, RefusesBadFilesWithALogLine) {
    auto pcm = ToBytes(MakePcm16(1, 100, 2));
    auto good = MakeWave(pcm, 2, 16, 44100);
    struct Bad { const char* what; std::vector<uint8_t> bytes; const char* log; };
    std::vector<Bad> bad;
    bad.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.end() - 10), "CWaveDecoder::Open()"});
    bad.push_back({"float", MakeWave(pcm, 2, 16, 44100, false, 3), "CWaveDecoder::Open()"});
    bad.push_back({"24-bit", MakeWave(pcm, 2, 24, 44100), "CWaveDecoder::Open()"});
    bad.push_back({"6 channels", MakeWave(pcm, 6, 16, 44100), "CWaveDecoder::Open()"});
    bad.push_back({"empty data", MakeWave({}, 2, 16, 44100), "CWaveDecoder::Open()"});
    bad.push_back({"header only", std::vector<uint8_t>(good.begin(), good.begin() + 12), "CWaveDecoder::Open()"});
    std::vector<uint8_t> noFmt = good;
    std::memcpy(noFmt.data() + 12, "junk", 4);
    bad.push_back({"no fmt", noFmt, "CWaveDecoder::Open()"});
    bad.push_back({"unknown", {'M', 'T', 'h', 'd', 0, 0}, "CreateSoundDecoder()"});
    bad.push_back({"zero bytes", {}, "CreateSoundDecoder()"});
    for (auto& b : bad) {
        CLogCapture log;
        EXPECT_EQ(Open(b.bytes), nullptr) << b.what;
        EXPECT_TRUE(log.Contains(b.log)) << b.what;
    }
}

TEST(OggDecoder, DecodesTheRightLengthAndShape) {
    auto pcm = MakePcm16(3, 44100, 2);
    auto ogg = EncodeOgg(pcm, 2, 44100);
    ASSERT_FALSE(ogg.empty());
    auto d = Open(ogg);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->GetFormat().channels, 2);
    EXPECT_EQ(d->GetFormat().bits, 16);
    EXPECT_EQ(d->GetFormat().rate, 44100u);
    EXPECT_EQ(d->GetTotalFrames(), 44100u);
    EXPECT_EQ(d->GetLengthMs(), 1000u);
    auto out = ReadAll(*d);
    ASSERT_EQ(out.size(), pcm.size() * 2);
    EXPECT_FALSE(d->HasFailed());
    // Lossy, but close: the error is small against the signal.
    double err = 0, sig = 0;
    for (size_t i = 0; i < pcm.size(); ++i) {
        int16_t s = static_cast<int16_t>(out[2 * i] | (out[2 * i + 1] << 8));
        err += std::pow(s - pcm[i], 2.0);
        sig += std::pow(pcm[i], 2.0);
    }
    EXPECT_LT(err, sig * 0.05);
    // Mono at another rate.
    auto mono = Open(EncodeOgg(MakePcm16(4, 11025, 1), 1, 22050));
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->GetFormat().channels, 1);
    EXPECT_EQ(mono->GetTotalFrames(), 11025u);
    EXPECT_EQ(mono->GetLengthMs(), 500u);
}

TEST(OggDecoder, RefusesTruncatedAndCorruptFiles) {
    auto ogg = EncodeOgg(MakePcm16(5, 22050, 2), 2, 44100);
    ASSERT_GT(ogg.size(), 2000u);
    for (size_t cut : {ogg.size() - 1, ogg.size() - 100, ogg.size() / 2, size_t{40}}) {
        CLogCapture log;
        EXPECT_EQ(Open(std::vector<uint8_t>(ogg.begin(), ogg.begin() + static_cast<long>(cut))), nullptr) << cut;
        EXPECT_TRUE(log.Contains("COggDecoder::Open()")) << cut;
    }
    // A damaged identification header.
    auto bad = ogg;
    for (size_t i = 28; i < 60; ++i) bad[i] ^= 0x5A;
    CLogCapture log;
    EXPECT_EQ(Open(bad), nullptr);
    EXPECT_TRUE(log.Contains("COggDecoder::Open()"));
}

TEST(OggDecoder, HugeClaimedLengthIsNeitherWrappedNorTrusted) {
    auto pcm = MakePcm16(31, 44100, 2);
    auto ogg = WithLastGranule(EncodeOgg(pcm, 2, 44100), 1ull << 62);
    auto d = Open(ogg);
    ASSERT_TRUE(d);
    ASSERT_GT(d->GetTotalFrames(), 1ull << 40);
    // 2^62 frames × 1000 wraps to 0 in 64 bits: the length must saturate instead.
    EXPECT_EQ(d->GetLengthMs(), 0xFFFFFFFFu);
}

TEST(SoundDecoder, LengthInMsIsExactWithoutOverflow) {
    auto d = Open(MakeWave(ToBytes(MakePcm16(2, 22049, 1)), 1, 16, 22050));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->GetLengthMs(), 999u);  // 22049 × 1000 / 22050, truncated
}
