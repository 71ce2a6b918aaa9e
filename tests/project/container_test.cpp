#include "project/container.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/file_util.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

class ContainerTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return folder_ + name; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        test::WriteTestFile(Path(name), bytes);
        return Path(name);
    }
    size_t FileCount() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder_)) ++n;
        return n;
    }

    test::ScratchEnvironment env_;
    std::string folder_ = env_.Folder("c");
};

TEST_F(ContainerTest, MarkerIsTheKeyShiftedByOne) {
    const std::string marker = ContainerMarker();
    ASSERT_EQ(marker.size(), 13u);
    for (size_t i = 0; i < 13; ++i)
        EXPECT_EQ(static_cast<unsigned char>(marker[i]),
                  static_cast<unsigned char>(ContainerMarkerKey[i] + 1));
}

TEST_F(ContainerTest, FindsTheMarkerAcrossEveryBlockBoundary) {
    // The search reads 1 MiB blocks: put the marker so that each of its 13 bytes in turn is the
    // last one of the first block, behind a false start that breaks off just before.
    const std::string marker = ContainerMarker();
    for (size_t split = 0; split <= 13; ++split) {
        std::string bytes((1 << 20) - split, 'x');
        bytes.replace(100, 12, marker.substr(0, 12));  // an almost-marker first
        bytes += marker;
        AppendLE32(bytes, 77);
        const auto found = FindMarker(Write("m.bin", bytes));
        ASSERT_TRUE(found.Found) << "split " << split;
        EXPECT_EQ(found.Offset, static_cast<int64_t>((1 << 20) - split + 13)) << split;
        EXPECT_EQ(found.Value, 77);
    }
}

TEST_F(ContainerTest, RestartsAMatchOnTheByteThatBrokeIt) {
    const std::string marker = ContainerMarker();
    const std::string bytes = marker.substr(0, 5) + marker + std::string("\x01\0\0\0", 4);
    const auto found = FindMarker(Write("m.bin", bytes));
    ASSERT_TRUE(found.Found);
    EXPECT_EQ(found.Offset, 18);
    EXPECT_EQ(found.Value, 1);
}

TEST_F(ContainerTest, MissingMarkerOrCountIsReported) {
    EXPECT_FALSE(FindMarker(Write("plain.bin", std::string(5000, 'a'))).Found);
    EXPECT_THROW(FindMarker(Write("cut.bin", "ab" + ContainerMarker() + "\x01")), ReadError);
    EXPECT_THROW(FindMarker(Path("absent.bin")), Error);
    EXPECT_THROW(FindMarker(folder_), Error);  // not a regular file
    try {
        SplitContainer(Path("plain.bin"), {Path("out")});
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_EQ(e.Message(), "no saver package found in " + Path("plain.bin"));
    }
    EXPECT_FALSE(fs::exists(Path("out")));
}

TEST_F(ContainerTest, SplitsEntriesIncludingEmptyAndBlockSizedOnes) {
    const std::string big(1002, 'b');
    const std::string exact(1001, 'e');
    const std::string source =
        Write("src.bin", "program image" + BuildContainer({"", exact, big, "tail"}) + "trailer");
    SplitContainer(source, {Path("0"), Path("1"), Path("2"), Path("3")});
    EXPECT_EQ(test::ReadTestFile(Path("0")), "");
    EXPECT_EQ(test::ReadTestFile(Path("1")), exact);
    EXPECT_EQ(test::ReadTestFile(Path("2")), big);
    EXPECT_EQ(test::ReadTestFile(Path("3")), "tail");
    EXPECT_EQ(FileCount(), 5u);  // no temporary files left behind
}

TEST_F(ContainerTest, NestedContainerIsWrittenByteForByteAndSplitsOnItsOwn) {
    const std::string inner = BuildContainer({"first", "second"});
    const std::string source = Write("src.bin", "ELF..." + BuildContainer({inner, "after"}));
    SplitContainer(source, {Path("inner.res"), Path("after")});
    EXPECT_EQ(test::ReadTestFile(Path("inner.res")), inner);
    SplitContainer(Path("inner.res"), {Path("a"), Path("b")});
    EXPECT_EQ(test::ReadTestFile(Path("a")), "first");
    EXPECT_EQ(test::ReadTestFile(Path("b")), "second");
}

TEST_F(ContainerTest, ReplacesExistingOutputsButNeverFollowsALinkThere) {
    const std::string source = Write("src.bin", BuildContainer({"new"}));
    Write("victim", "keep");
    fs::create_symlink(Path("victim"), Path("out"));
    SplitContainer(source, {Path("out")});
    EXPECT_EQ(test::ReadTestFile(Path("out")), "new");
    EXPECT_FALSE(fs::is_symlink(Path("out")));
    EXPECT_EQ(test::ReadTestFile(Path("victim")), "keep");
}

TEST_F(ContainerTest, HostileCountsAndLengthsCreateNoFile) {
    const std::string marker = ContainerMarker();
    auto container = [&](std::initializer_list<int32_t> fields, const std::string& tail) {
        std::string bytes = "exe" + marker;
        for (const int32_t f : fields) AppendLE32(bytes, f);
        return bytes + tail;
    };
    const struct {
        const char* name;
        std::string bytes;
        size_t outputs;
    } cases[] = {
        {"negative count", container({-1}, ""), 1},
        {"huge count", container({0x7FFFFFFF}, ""), 1},
        {"more entries than outputs", container({2, 1}, "a") + std::string("\x01\0\0\0b", 5), 1},
        {"fewer entries than outputs", container({1, 1}, "a"), 2},
        {"negative length", container({1, -5}, "abc"), 1},
        {"length beyond the end", container({1, 4}, "abc"), 1},
        {"huge length", container({1, 0x7FFFFFFF}, "abc"), 1},
        {"second length cut off", container({2, 1}, "a\x01\x00"), 2},
        {"count cut off", "exe" + marker + "\x01\x00", 1},
    };
    for (const auto& c : cases) {
        const std::string source = Write("hostile.bin", c.bytes);
        std::vector<fs::path> outputs;
        for (size_t i = 0; i < c.outputs; ++i) outputs.emplace_back(Path("out" + std::to_string(i)));
        try {
            SplitContainer(source, outputs);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const FormatError& e) {
            EXPECT_EQ(e.File(), source) << c.name;
        }
        EXPECT_EQ(FileCount(), 1u) << c.name;
    }
}

TEST_F(ContainerTest, ZeroEntriesWriteNothing) {
    SplitContainer(Write("src.bin", BuildContainer({})), {});
    EXPECT_EQ(FileCount(), 1u);
}

// The engine searches its own file from the first byte: if the marker occurred in the program
// itself, every saver would read its package from the wrong place.
TEST(ContainerMarkerBytes, OccurInNeitherTheEngineNorLvtool) {
    const std::string marker = ContainerMarker();
    for (const char* program : {LV_LVCSAVER_PATH, LV_LVTOOL_PATH}) {
        const std::string bytes = ReadFileBytes(program);
        ASSERT_GT(bytes.size(), 1000u) << program;
        EXPECT_EQ(bytes.find(marker), std::string::npos) << program;
        EXPECT_FALSE(FindMarker(program).Found) << program;
    }
}

}  // namespace
}  // namespace lv
