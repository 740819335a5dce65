// The archive format: round trips through the writer and the reader, and damaged
// archives refused cleanly.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "engine/base/Log.h"
#include "engine/file/PakArchive.h"
#include "engine/file/PakFormat.h"
#include "engine/file/PakWriter.h"
#include "engine/file/ZipSingleFile.h"
#include "tests/engine/file/FileTestUtil.h"

using filetest::Bytes;
using filetest::RandomBytes;

namespace {

class QuietLog {
public:
    QuietLog() { SetDebugOutputEnabled(false); }
    ~QuietLog() { SetDebugOutputEnabled(true); }
};

filetest::EntryList SmallEntries() {
    return {{"a.bmp", RandomBytes(1, 300, true)},
            {"sub\\B.txt", Bytes("hello, world")},
            {"empty.dat", {}},
            {"noise.bin", RandomBytes(2, 64, false)}};
}

// True when the archive opens and every entry extracts to the given bytes.
bool ReadsBackExactly(const std::vector<uint8_t>& archiveBytes, const filetest::EntryList& entries) {
    CPakArchive a;
    if (!a.OpenMemory(archiveBytes)) return false;
    if (a.GetEntries().size() != entries.size()) return false;
    for (const auto& [name, bytes] : entries) {
        std::vector<uint8_t> out;
        if (!a.Extract(name, &out) || out != bytes) return false;
    }
    return true;
}

}  // namespace

TEST(PakArchive, PackedFolderReadsBackByteExact) {
    testsupport::CTempDir dir;
    filetest::EntryList files = {{"a.bmp", RandomBytes(3, 5000, true)},
                                 {"b.ogg", RandomBytes(4, 3000, false)},
                                 {"deep/er/c.txt", Bytes("text\r\n")},
                                 {"zero.bin", {}}};
    for (const auto& [name, bytes] : files) ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "src/" + name, bytes));
    CPakWriter w;
    ASSERT_TRUE(w.AddFolder(dir.Path() + "src"));
    ASSERT_EQ(w.GetEntryCount(), 4u);
    ASSERT_TRUE(w.Save(dir.Path() + "out.pak"));
    EXPECT_FALSE(testsupport::FileExists(dir.Path() + "out.pak.tmp"));

    CPakArchive a;
    ASSERT_TRUE(a.OpenFile(dir.Path() + "out.pak"));
    ASSERT_EQ(a.GetEntries().size(), 4u);
    // Sorted names, backslashes between folders.
    EXPECT_EQ(a.GetEntries()[0].name, "a.bmp");
    EXPECT_EQ(a.GetEntries()[2].name, "deep\\er\\c.txt");
    for (const auto& [name, bytes] : files) {
        std::vector<uint8_t> out;
        ASSERT_TRUE(a.Extract(name, &out)) << name;
        EXPECT_EQ(out, bytes) << name;
    }
    // Compressible data is stored compressed, noise is kept stored.
    EXPECT_EQ(a.Find("a.bmp")->method, pak::METHOD_ZLIB);
    EXPECT_LT(a.Find("a.bmp")->storedSize, 5000u);
    EXPECT_EQ(a.Find("b.ogg")->method, pak::METHOD_STORED);
}

TEST(PakArchive, LookupIgnoresLetterCaseAndSeparatorsButNotDoubleByteCharacters) {
    // "ソ" is 0x83 0x5C and "ス" is 0x83 0x58: their second bytes are a backslash and
    // an upper-case X, neither of which may be touched.
    std::string so = "\x83\x5C", su = "\x83\x58";
    auto bytes = filetest::BuildPak({{"Dir\\" + so + ".TXT", Bytes("so")}, {su + ".txt", Bytes("su")}});
    CPakArchive a;
    ASSERT_TRUE(a.OpenMemory(bytes));
    std::vector<uint8_t> out;
    ASSERT_TRUE(a.Extract("dir/" + so + ".txt", &out));
    EXPECT_EQ(out, Bytes("so"));
    ASSERT_TRUE(a.Extract("DIR\\\\" + so + ".txt", &out));
    // 0x83 0x78 would be a different character: lower-casing a trail byte is wrong.
    EXPECT_EQ(a.Find("\x83\x78.txt"), nullptr);
    ASSERT_NE(a.Find(su + ".TXT"), nullptr);
    // The trail byte 0x5C is not a folder separator.
    EXPECT_EQ(a.Find("dir\\\x83"), nullptr);
}

TEST(PakArchive, WriterRefusesDuplicateAndEmptyNames) {
    QuietLog quiet;
    CLogCapture log;
    CPakWriter w;
    EXPECT_TRUE(w.AddEntry("a\\b.txt", Bytes("1")));
    EXPECT_FALSE(w.AddEntry("A/B.TXT", Bytes("2")));
    EXPECT_FALSE(w.AddEntry("\\\\", Bytes("3")));
    EXPECT_FALSE(w.AddEntry("", Bytes("3")));
    EXPECT_EQ(w.GetEntryCount(), 1u);
    EXPECT_TRUE(log.Contains("CPakWriter::AddEntry()"));
}

TEST(PakArchive, EveryTruncationIsRefused) {
    QuietLog quiet;
    auto entries = SmallEntries();
    auto bytes = filetest::BuildPak(entries);
    ASSERT_TRUE(ReadsBackExactly(bytes, entries));
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(cut));
        CPakArchive a;
        EXPECT_FALSE(a.OpenMemory(part)) << "cut at " << cut;
    }
    // Extra bytes after the index are refused too: the archive states its size.
    auto longer = bytes;
    longer.push_back(0);
    CPakArchive a;
    EXPECT_FALSE(a.OpenMemory(longer));
}

TEST(PakArchive, EverySingleBitFlipIsDetected) {
    QuietLog quiet;
    auto entries = SmallEntries();
    auto bytes = filetest::BuildPak(entries);
    for (size_t i = 0; i < bytes.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            auto bad = bytes;
            bad[i] ^= static_cast<uint8_t>(1u << bit);
            CPakArchive a;
            if (!a.OpenMemory(bad)) continue;
            // The index survived (the flip is in entry data): that entry must fail,
            // and no entry may come back with wrong bytes.
            int failed = 0;
            for (const auto& [name, want] : entries) {
                std::vector<uint8_t> out;
                if (!a.Extract(name, &out)) {
                    ++failed;
                    EXPECT_TRUE(out.empty());
                } else {
                    EXPECT_EQ(out, want) << "byte " << i << " bit " << bit;
                }
            }
            EXPECT_EQ(failed, 1) << "byte " << i << " bit " << bit;
        }
    }
}

namespace {

// Rewrites a field of an archive's first index record and makes every CRC right
// again, as a careless tool would: only the bounds checks can catch it then.
std::vector<uint8_t> WithFixedCrcs(std::vector<uint8_t> b) {
    uint64_t indexOffset = pak::GetU64(b.data() + 16);
    pak::SetU32(b.data() + 28, pak::Crc32(b.data() + indexOffset, b.size() - indexOffset));
    pak::SetU32(b.data() + 44, pak::Crc32(b.data(), 44));
    return b;
}

}  // namespace

TEST(PakArchive, SizesAndOffsetsBeyondTheFileAreRefused) {
    QuietLog quiet;
    CLogCapture log;
    auto bytes = filetest::BuildPak({{"a.txt", RandomBytes(5, 200, true)}});
    size_t index = static_cast<size_t>(pak::GetU64(bytes.data() + 16));
    CPakArchive a;
    ASSERT_TRUE(a.OpenMemory(bytes));

    auto bigStored = bytes;  // stored size larger than the file
    pak::SetU32(bigStored.data() + index + 12, 0x7FFFFFFF);
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(bigStored)));
    EXPECT_TRUE(log.Contains("CPakArchive::_ParseIndex()"));

    auto farOffset = bytes;  // data placed past the end
    pak::SetU64(farOffset.data() + index + 4, 0xFFFFFFFFFFFFFF00ull);
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(farOffset)));

    auto intoIndex = bytes;  // data running into the index
    pak::SetU64(intoIndex.data() + index + 4, index - 4);
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(intoIndex)));

    auto absurd = bytes;  // an inflated size no deflate stream can reach
    pak::SetU32(absurd.data() + index + 16, 0x3FFFFFFF);
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(absurd)));

    auto manyEntries = bytes;  // more records than the index can hold
    pak::SetU32(manyEntries.data() + 12, 0xFFFFFFFF);
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(manyEntries)));

    auto longName = bytes;  // a name running out of the index
    pak::SetU16(longName.data() + index, 900);
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(longName)));

    auto wrongSize = bytes;  // a stated inflated size the stream does not give
    pak::SetU32(wrongSize.data() + index + 16, pak::GetU32(bytes.data() + index + 16) + 1);
    ASSERT_TRUE(a.OpenMemory(WithFixedCrcs(wrongSize)));
    std::vector<uint8_t> out;
    EXPECT_FALSE(a.Extract("a.txt", &out));
    EXPECT_TRUE(log.Contains("CPakArchive::Extract()"));
}

// deflate gives at most 1032 bytes for one: a claim one byte beyond is refused.
TEST(PakArchive, PlausibleSizesStopAt1032BytesOutPerByteIn) {
    EXPECT_TRUE(pak::IsPlausibleSize(pak::METHOD_ZLIB, 8, 8 * 1032));
    EXPECT_FALSE(pak::IsPlausibleSize(pak::METHOD_ZLIB, 8, 8 * 1032 + 1));
    EXPECT_FALSE(pak::IsPlausibleSize(pak::METHOD_ZLIB, 1000, 1000 * 1032 + 1031));
    EXPECT_TRUE(pak::IsPlausibleSize(pak::METHOD_ZLIB, 0x3FFFFF, 0x40000000u));
    EXPECT_FALSE(pak::IsPlausibleSize(pak::METHOD_ZLIB, 0xFFFFFFFFu, 0x40000001u));
    EXPECT_FALSE(pak::IsPlausibleSize(pak::METHOD_ZLIB, 7, 0));
    EXPECT_TRUE(pak::IsPlausibleSize(pak::METHOD_STORED, 5, 5));
    EXPECT_FALSE(pak::IsPlausibleSize(pak::METHOD_STORED, 5, 6));
    EXPECT_FALSE(pak::IsPlausibleSize(2, 5, 5));

    // In an archive the refusal comes when the index is read, not at extraction.
    QuietLog quiet;
    CLogCapture log;
    auto bytes = filetest::BuildPak({{"a.txt", std::vector<uint8_t>(4000, 'a')}});
    size_t index = static_cast<size_t>(pak::GetU64(bytes.data() + 16));
    ASSERT_EQ(bytes[index + 2], pak::METHOD_ZLIB);
    uint32_t stored = pak::GetU32(bytes.data() + index + 12);
    pak::SetU32(bytes.data() + index + 16, stored * 1032 + 1);
    CPakArchive a;
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(bytes)));
    EXPECT_TRUE(log.Contains("CPakArchive::_ParseIndex() 大きさが不正です"));
}

TEST(PakArchive, ForeignAndFutureFilesAreRefused) {
    QuietLog quiet;
    CLogCapture log;
    CPakArchive a;
    EXPECT_FALSE(a.OpenMemory(std::vector<uint8_t>(100, 0)));
    auto bytes = filetest::BuildPak({{"a", Bytes("x")}});
    pak::SetU16(bytes.data() + 10, 2);
    EXPECT_FALSE(a.OpenMemory(WithFixedCrcs(bytes)));
    EXPECT_TRUE(log.Contains("CPakArchive::_CheckHeader()"));
    EXPECT_FALSE(a.OpenFile("/nonexistent/x.pak"));
}

TEST(PakArchive, EmptyArchiveOpens) {
    auto bytes = filetest::BuildPak({});
    CPakArchive a;
    ASSERT_TRUE(a.OpenMemory(bytes));
    EXPECT_TRUE(a.GetEntries().empty());
    EXPECT_EQ(a.Find("x"), nullptr);
}

// ---------------------------------------------------------------------------
// The single-file form

TEST(ZipSingleFile, RoundTripThroughTheFileLayer) {
    testsupport::CTempDir dir;
    testsupport::CGameFolderScope scope(dir.Path());
    auto data = RandomBytes(6, 20000, true);
    std::vector<uint8_t> pak;
    ASSERT_TRUE(CPakWriter::BuildSingle("movie.mpg", data, &pak));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.Path() + "mov.pak", pak));
    CZipSingleFile f;
    ASSERT_TRUE(f.Open("MOV.PAK"));
    EXPECT_EQ(f.GetData(), data);
    EXPECT_EQ(f.GetStoredName(), "movie.mpg");
    uint8_t buf[10];
    ASSERT_TRUE(f.Seek(-10, IFileObject::SEEK_FROM_END));
    EXPECT_EQ(f.Read(buf, 10, 1), 1u);
    EXPECT_EQ(0, std::memcmp(buf, data.data() + data.size() - 10, 10));
    EXPECT_EQ(f.Read(buf, 1, 1), 0u);
    EXPECT_FALSE(f.Create("x"));
}

TEST(ZipSingleFile, DamagedFilesAreRefused) {
    QuietLog quiet;
    std::vector<uint8_t> pak;
    ASSERT_TRUE(CPakWriter::BuildSingle("n", RandomBytes(7, 100, true), &pak));
    CZipSingleFile f;
    for (size_t cut = 0; cut < pak.size(); ++cut) {
        EXPECT_FALSE(f.OpenMemory(pak.data(), cut)) << cut;
    }
    for (size_t i = 0; i < pak.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            auto bad = pak;
            bad[i] ^= static_cast<uint8_t>(1u << bit);
            EXPECT_FALSE(f.OpenMemory(bad.data(), bad.size())) << i << ":" << bit;
        }
    }
    EXPECT_FALSE(f.IsOpen());
}

TEST(ZipSingleFile, TooLargeForMemoryIsLoggedAsAnAllocationFailure) {
    QuietLog quiet;
    CLogCapture log;
    std::vector<uint8_t> pak;
    ASSERT_TRUE(CPakWriter::BuildSingle("big", std::vector<uint8_t>(5000, 'a'), &pak));
    uint32_t old = CZipSingleFile::GetMaxSize();
    CZipSingleFile::SetMaxSize(4096);
    CZipSingleFile f;
    EXPECT_FALSE(f.OpenMemory(pak.data(), pak.size(), "mov.pak"));
    CZipSingleFile::SetMaxSize(old);
    EXPECT_TRUE(log.Contains("CZipSingleFile::_Load() メモリ割り当てに失敗！[mov.pak][src_size:5000byte]"));
    EXPECT_TRUE(f.OpenMemory(pak.data(), pak.size(), "mov.pak"));
}

TEST(ZipSingleFile, ArchiveFormIsNotASingleFile) {
    QuietLog quiet;
    auto bytes = filetest::BuildPak({{"a", Bytes("x")}});
    CZipSingleFile f;
    EXPECT_FALSE(f.OpenMemory(bytes.data(), bytes.size()));
    CPakArchive a;
    std::vector<uint8_t> single;
    ASSERT_TRUE(CPakWriter::BuildSingle("a", Bytes("x"), &single));
    EXPECT_FALSE(a.OpenMemory(single));
}
