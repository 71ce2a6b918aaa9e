#include "project/profile_file.h"

#include <gtest/gtest.h>

#include "common/error.h"

#include "project/scratch_environment.h"

namespace lv {
namespace {

TEST(ProfileFile, NamesIgnoreCaseAndTheFirstMatchWins) {
    const auto ini = ProfileFile::Parse(
        "[Default]\r\nDuration=10\r\nduration=20\r\n[DEFAULT]\r\nSpeed=50\r\n[Other]\r\nx=1\r\n");
    EXPECT_EQ(ini.ReadInteger("default", "DURATION", 0), 10);
    // Only the first section of a name is looked at.
    EXPECT_EQ(ini.ReadInteger("Default", "Speed", 7), 7);
    EXPECT_TRUE(ini.HasSection("other"));
    EXPECT_FALSE(ini.HasKey("Other", "y"));
}

TEST(ProfileFile, ReadsLfAndCrLfLinesTrimmedWithQuotesRemoved) {
    const auto ini = ProfileFile::Parse(
        "  [ General ]  \n ProductName =  Sea Show  \r\nPublisher=\"  quoted \"\nWebsite='x\n"
        "; Comment=1\nno equals sign\n=novalue\n");
    EXPECT_EQ(ini.ReadString("General", "ProductName", "-"), "Sea Show");
    EXPECT_EQ(ini.ReadString("General", "Publisher", "-"), "  quoted ");
    EXPECT_EQ(ini.ReadString("General", "Website", "-"), "'x");
    EXPECT_EQ(ini.ReadSectionKeys("General"),
              (std::vector<std::string>{"ProductName", "Publisher", "Website"}));
}

TEST(ProfileFile, IntegersAreDecimalOrHexElseTheDefault) {
    const auto ini = ProfileFile::Parse(
        "[S]\r\na=42\r\nb=0x1E\r\nc=$ff\r\nd=-7\r\ne=abc\r\nf=12abc\r\ng=\r\nh=2147483648\r\n"
        "i=0xFFFFFFFF\r\nj=-2147483648\r\nk=0x\r\nl=+5\r\nm=0X1f\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "a", 0), 42);
    EXPECT_EQ(ini.ReadInteger("S", "b", 0), 30);
    EXPECT_EQ(ini.ReadInteger("S", "c", 0), 255);
    EXPECT_EQ(ini.ReadInteger("S", "d", 0), -7);
    EXPECT_EQ(ini.ReadInteger("S", "e", 30), 30);
    EXPECT_EQ(ini.ReadInteger("S", "f", 30), 30);
    EXPECT_EQ(ini.ReadInteger("S", "g", 30), 30);
    EXPECT_EQ(ini.ReadInteger("S", "h", 30), 30);
    EXPECT_EQ(ini.ReadInteger("S", "i", 0), -1);
    EXPECT_EQ(ini.ReadInteger("S", "j", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("S", "k", 9), 9);
    EXPECT_EQ(ini.ReadInteger("S", "l", 0), 5);
    EXPECT_EQ(ini.ReadInteger("S", "m", 0), 31);
    EXPECT_EQ(ini.ReadInteger("S", "missing", -3), -3);
}

TEST(ProfileFile, BooleansAreIntegersNonZeroTrue) {
    const auto ini = ProfileFile::Parse("[S]\r\na=2\r\nb=0\r\nc=yes\r\nd=-1\r\n");
    EXPECT_TRUE(ini.ReadBool("S", "a", false));
    EXPECT_FALSE(ini.ReadBool("S", "b", true));
    EXPECT_TRUE(ini.ReadBool("S", "c", true));
    EXPECT_FALSE(ini.ReadBool("S", "c", false));
    EXPECT_TRUE(ini.ReadBool("S", "d", false));
}

TEST(ProfileFile, TextValuesArriveCappedAt2047Characters) {
    const std::string longValue(3000, 'v');
    const auto ini = ProfileFile::Parse("[S]\r\nk=" + longValue + "\r\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), std::string(2047, 'v'));
}

TEST(ProfileFile, KeyListStopsWhereThe16KBufferIsFull) {
    // 100-character names take 101 bytes each; 162 of them fit into 16383 bytes, 163 do not.
    std::string text = "[FileList]\r\n";
    for (int i = 0; i < 200; ++i) {
        std::string name = std::to_string(1000 + i);
        name.resize(100, 'n');
        text += name + "=1\r\n";
    }
    const auto keys = ProfileFile::Parse(text).ReadSectionKeys("FileList");
    ASSERT_EQ(keys.size(), 162u);
    EXPECT_EQ(keys.back().substr(0, 4), "1161");
}

TEST(ProfileFile, MissingFileReadsAsEmpty) {
    const test::ScratchEnvironment env;
    const auto ini = ProfileFile::Load(env.Root() + "absent.ini");
    EXPECT_FALSE(ini.HasSection("S"));
    EXPECT_EQ(ini.ReadInteger("S", "k", 5), 5);
    EXPECT_TRUE(ini.ReadSectionKeys("S").empty());
}

TEST(ProfileFile, WritesInPlaceAppendsAndCreatesSections) {
    auto ini = ProfileFile::Parse("; header\n[Setting]\nimagesize=1\nSpeed=3\n\n[Files]\n2=\n");
    ini.WriteString("SETTING", "ImageSize", "2");    // in place, stored spelling kept
    ini.WriteString("Setting", "Duration", "30");    // appended behind the last key
    ini.WriteString("Extra", "Key", "v");            // new section at the end
    EXPECT_EQ(ini.Text(),
              "; header\r\n[Setting]\r\nimagesize=2\r\nSpeed=3\r\nDuration=30\r\n\r\n"
              "[Files]\r\n2=\r\n[Extra]\r\nKey=v\r\n");
    EXPECT_THROW(ini.WriteString("Setting", "k", "a\r\n[Evil]"), Error);
}

TEST(ProfileFile, EraseSectionRemovesEveryCopyAndItsLines) {
    auto ini = ProfileFile::Parse("[Files]\r\n1=\r\n[Setting]\r\nA=1\r\n[files]\r\n3=\r\n");
    ini.EraseSection("FILES");
    EXPECT_EQ(ini.Text(), "[Setting]\r\nA=1\r\n");
}

TEST(ProfileFile, FileWritesGoThroughATemporaryFileAndLeaveNothingElse) {
    const test::ScratchEnvironment env;
    const std::string folder = env.Folder("w");
    const std::string path = folder + "Sky.ini";
    WriteProfileString(path, "Setting", "ImageMode", "2");
    WriteProfileString(path, "Files", "3", "");
    WriteProfileString(path, "Files", "7", "");
    EXPECT_EQ(test::ReadTestFile(path), "[Setting]\r\nImageMode=2\r\n[Files]\r\n3=\r\n7=\r\n");
    EraseProfileSection(path, "Files");
    EXPECT_EQ(test::ReadTestFile(path), "[Setting]\r\nImageMode=2\r\n");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++entries;
    EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace lv
