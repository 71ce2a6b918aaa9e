// Builds savers with lvtool, unpacks them and prints their projects: the authors' path from
// files to a saver and back.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>

#include "codecs/picture_codecs.h"
#include "codecs/picture_file.h"
#include "project/container.h"
#include "project/saver_builder.h"
#include "project/scratch_environment.h"
#include "support/lvtool_runner.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

using test::Lvtool;
using test::RunResult;

class SaverRoundTripTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        test::WriteTestFile(src_ + name, bytes);
        return src_ + name;
    }

    test::ScratchEnvironment env_;
    std::string src_ = env_.Folder("src");
    std::string out_ = env_.Folder("out");
};

TEST_F(SaverRoundTripTest, BuildUnpackAndPrintGiveBackWhatWentIn) {
    std::string big(3 << 20, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 131 + (i >> 11));
    const std::string sea = Write("sea.lvp", big);
    const std::string sky = Write("sky.jpg", "");
    const std::string song = Write("song.mid", "MThd");
    const std::string settings = Write(
        "settings.ini",
        "[General]\r\nProductName=Caf\xE9 \x80 \"Sea\"\x01\\\r\n[Default]\r\nDuration=0x1E\r\n"
        "Stretch=2\r\nMusic=0\r\n");
    const std::string forms = Write("forms.lvu", "object MainWindow end");
    const std::string saver = out_ + "Sea.Saver.scr";

    const auto built = Lvtool("build-saver " + saver + " --engine " + LV_LVCSAVER_PATH +
                              " --settings " + settings + " --forms " + forms +
                              " --off sky.jpg " + sea + " " + sky + " " + song);
    ASSERT_EQ(built.status, 0) << built.output;
    struct stat st {};
    ASSERT_EQ(::stat(saver.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IXUSR, 0u);

    // Byte-exact: the engine, then the outer container.
    const std::string bytes = test::ReadTestFile(saver);
    const std::string engine = test::ReadTestFile(LV_LVCSAVER_PATH);
    ASSERT_EQ(bytes.compare(0, engine.size(), engine), 0);
    SaverContents expected;
    expected.SettingsText = test::ReadTestFile(settings);
    expected.UIFile = "forms.lvu";
    expected.Forms = "object MainWindow end";
    expected.Files = {{"sea.lvp", big, true, true},
                      {"sky.jpg", "", true, false},
                      {"song.mid", "MThd", false, true}};
    EXPECT_TRUE(bytes.substr(engine.size()) == BuildPackage(expected));

    const auto unpacked = Lvtool("unpack " + saver + " " + out_ + "dir");
    ASSERT_EQ(unpacked.status, 0) << unpacked.output;
    const std::string d = out_ + "dir/";
    EXPECT_EQ(unpacked.output, d + "LVC.res\n" + d + "LVFilenames.res\n" + d + "LVGUI.lvu\n" +
                                   d + "sea.lvp\n" + d + "sky.jpg\n" + d + "song.mid\n");
    EXPECT_FALSE(std::filesystem::exists(d + "LVFiles.res"));
    EXPECT_TRUE(test::ReadTestFile(d + "sea.lvp") == big);
    EXPECT_EQ(test::ReadTestFile(d + "sky.jpg"), "");
    EXPECT_EQ(test::ReadTestFile(d + "LVFilenames.res"), "sea.lvp\r\nsky.jpg\r\nsong.mid\r\n");
    EXPECT_EQ(test::ReadTestFile(d + "LVGUI.lvu"), "object MainWindow end");

    // The saver and its unpacked LVC.res print the same project.
    const auto fromSaver = Lvtool("project " + saver);
    const auto fromLvc = Lvtool("project " + d + "LVC.res");
    ASSERT_EQ(fromSaver.status, 0) << fromSaver.output;
    EXPECT_EQ(fromSaver.output, fromLvc.output);
    const std::string& json = fromSaver.output;
    EXPECT_NE(json.find("\"files\": [\n    \"sea.lvp\",\n    \"sky.jpg\"\n  ]"), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"enabled\": [\n    \"TRUE\",\n    \"FALSE\"\n  ]"), std::string::npos);
    EXPECT_NE(json.find("\"ProductName\": \"Caf\xC3\xA9 \xE2\x82\xAC \\\"Sea\\\"\\u0001\\\\\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"Duration\": 30,"), std::string::npos);
    EXPECT_NE(json.find("\"Stretch\": true,"), std::string::npos);
    EXPECT_NE(json.find("\"Music\": false,"), std::string::npos);
    EXPECT_NE(json.find("\"BuildIcon\": \"\"\n"), std::string::npos);
    EXPECT_NE(json.find("\"ui\": {\n    \"UIFile\": \"forms.lvu\"\n  }"), std::string::npos);

    // As a show starts: everything on, then the user's file.
    const std::string user = Write("Sea.ini", "[Setting]\r\nImageMode=2\r\nSpeed=20\r\n[Files]\r\n0=\r\n");
    const auto applied = Lvtool("project " + saver + " --user-settings " + user);
    ASSERT_EQ(applied.status, 0) << applied.output;
    EXPECT_NE(applied.output.find("\"enabled\": [\n    \"FALSE\",\n    \"TRUE\"\n  ]"),
              std::string::npos)
        << applied.output;
    EXPECT_NE(applied.output.find("\"Speed\": 500,"), std::string::npos);
    EXPECT_NE(applied.output.find("\"ShowImageMode\": 2,"), std::string::npos);
}

TEST_F(SaverRoundTripTest, JpegPicturesOfOtherNamesAreStoredUnderAJpgName) {
    const std::string jpeg = Write("Sea.JPEG", EncodeJpeg(test::GradientPicture(4, 3), 90));
    const std::string jpe = Write("sky.jpe", EncodeJpeg(test::GradientPicture(2, 2), 90));
    const std::string saver = out_ + "Photo.scr";
    const auto built = Lvtool("build-saver " + saver + " --engine " + LV_LVCSAVER_PATH +
                              " --off sky.jpe " + jpeg + " " + jpe);
    ASSERT_EQ(built.status, 0) << built.output;
    EXPECT_NE(built.output.find("Sea.JPEG: stored as Sea.jpg"), std::string::npos) << built.output;
    EXPECT_NE(built.output.find("sky.jpe: stored as sky.jpg"), std::string::npos);

    // Listed under the new names, which the show, the thumbnails and the preview all take for
    // plain pictures, and which decode.
    const auto project = Lvtool("project " + saver);
    EXPECT_NE(project.output.find("\"files\": [\n    \"Sea.jpg\",\n    \"sky.jpg\"\n  ]"),
              std::string::npos)
        << project.output;
    EXPECT_NE(project.output.find("\"enabled\": [\n    \"TRUE\",\n    \"FALSE\"\n  ]"),
              std::string::npos);
    ASSERT_EQ(Lvtool("unpack " + saver + " " + out_ + "dir").status, 0);
    for (const char* name : {"Sea.jpg", "sky.jpg"}) {
        EXPECT_EQ(PictureFileKindOf(name), PictureFileKind::PlainPicture);
        EXPECT_FALSE(LoadPictureFile(out_ + "dir/" + name).Empty()) << name;
    }

    // A preview picture named by its old name would be looked for in vain.
    const std::string settings =
        Write("settings.ini", "[Advance]\r\nPreviewFile=C:\\p\\sea.jpeg\r\n");
    const auto preview = Lvtool("build-saver " + out_ + "Preview.scr --engine " + LV_LVCSAVER_PATH +
                                " --settings " + settings + " " + jpeg);
    EXPECT_EQ(preview.status, 2);
    EXPECT_NE(preview.output.find("name Sea.jpg there"), std::string::npos) << preview.output;
    EXPECT_FALSE(fs::exists(out_ + "Preview.scr"));
    // Nor can a renamed picture take the place of another of that name.
    const std::string twin = Write("Sea.jpg", "J");
    EXPECT_EQ(Lvtool("build-saver " + out_ + "Twin.scr --engine " + LV_LVCSAVER_PATH + " " + jpeg +
                     " " + twin)
                  .status,
              1);
}

TEST_F(SaverRoundTripTest, CommandsReportBadInputWithTheFileName) {
    const std::string bare = Write("bare.scr", std::string(4000, 'x'));
    const auto unpack = Lvtool("unpack " + bare + " " + out_ + "d");
    EXPECT_EQ(unpack.status, 1);
    EXPECT_NE(unpack.output.find("no saver package found in " + bare), std::string::npos);
    const auto project = Lvtool("project " + bare);
    EXPECT_EQ(project.status, 1);
    EXPECT_NE(project.output.find(bare), std::string::npos);

    // A saver is never built on top of another saver: its package would hide the new one.
    const std::string pic = Write("a.jpg", "J");
    ASSERT_EQ(Lvtool("build-saver " + out_ + "one.scr --engine " + LV_LVCSAVER_PATH + " " + pic)
                  .status, 0);
    const auto twice = Lvtool("build-saver " + out_ + "two.scr --engine " + out_ + "one.scr " + pic);
    EXPECT_EQ(twice.status, 1);
    EXPECT_FALSE(fs::exists(out_ + "two.scr"));

    // A file named like one of the package's own would stop every start of the saver.
    const std::string clash = Write("LVGUI.lvu", "object MainWindow end");
    const auto clashing = Lvtool("build-saver " + out_ + "clash.scr --engine " +
                                 LV_LVCSAVER_PATH + " " + pic + " " + clash);
    EXPECT_EQ(clashing.status, 1);
    EXPECT_NE(clashing.output.find("\"LVGUI.lvu\""), std::string::npos) << clashing.output;
    EXPECT_FALSE(fs::exists(out_ + "clash.scr"));

    EXPECT_EQ(Lvtool("build-saver " + out_ + "x.scr --off b.jpg " + pic).status, 2);
    EXPECT_EQ(Lvtool("unpack " + bare).status, 2);
}

}  // namespace
}  // namespace lv
