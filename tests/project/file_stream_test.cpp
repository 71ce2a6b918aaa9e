#include "project/file_stream.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/error.h"
#include "common/file_util.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

TEST(FileStream, ReadsItemsInOrder) {
    const test::TempDir dir;
    std::string bytes = "LV060697";
    AppendLE32(bytes, -2);
    AppendLE32(bytes, 0x01020304);
    bytes += "payload";
    FileStream stream(dir.Write("s.bin", bytes), StreamMode::Open);
    EXPECT_EQ(stream.Remaining(), static_cast<int64_t>(bytes.size()));
    EXPECT_EQ(stream.ReadSignature(8), "LV060697");
    EXPECT_EQ(stream.ReadInt(), -2);
    EXPECT_EQ(stream.ReadInt(), 0x01020304);
    std::string memory = "old content";
    stream.ReadToMemory(memory, 3);
    EXPECT_EQ(memory, "pay");
    stream.ReadToMemory(memory, 0);
    EXPECT_EQ(memory, "");
    EXPECT_EQ(stream.Position(), 19);
    EXPECT_EQ(stream.Remaining(), 4);
}

TEST(FileStream, ShortReadsRaiseReadErrorNamingTheFile) {
    const test::TempDir dir;
    const std::string path = dir.Write("short.bin", "abcdef");
    FileStream stream(path, StreamMode::Open);
    char buffer[8];
    try {
        stream.ReadBuffer(buffer, 7);
        FAIL();
    } catch (const ReadError& e) {
        EXPECT_EQ(e.Message(), "Read beyond end of file");
        EXPECT_EQ(e.File(), path);
    }
    // A refused read takes nothing; what remains can still be read.
    EXPECT_EQ(stream.Remaining(), 6);
    std::string memory;
    EXPECT_THROW(stream.ReadToMemory(memory, 2'000'000'000), ReadError);
    EXPECT_TRUE(memory.empty());
    EXPECT_THROW(stream.ReadToMemory(memory, -1), ReadError);
    EXPECT_EQ(stream.ReadSignature(6), "abcdef");
    EXPECT_THROW(stream.ReadInt(), ReadError);
    EXPECT_THROW(stream.ReadSignature(9), Error);
}

TEST(FileStream, OpeningFailuresNameTheFile) {
    const test::TempDir dir;
    const std::string missing = dir.File("missing.lvp");
    try {
        FileStream stream(missing, StreamMode::Open);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.File(), missing);
    }
    EXPECT_THROW(FileStream(dir.File(""), StreamMode::Open), Error);  // a folder
}

TEST(FileStream, CreateModeMakesAnEmptyFile) {
    const test::TempDir dir;
    const std::string path = dir.Write("old.bin", "old");
    FileStream stream(path, StreamMode::Create);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_THROW(stream.ReadInt(), ReadError);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

}  // namespace
}  // namespace lv
