#include "gui/config/config_actions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "codecs/picture_codecs.h"
#include "common/error.h"
#include "common/file_util.h"
#include "project/scratch_environment.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

namespace fs = std::filesystem;
using What = OpenDecision::What;

TEST(ClampPictureIndex, StaysWithinTheList) {
    EXPECT_EQ(ClampPictureIndex(5, 5), 4);   // next on the last picture
    EXPECT_EQ(ClampPictureIndex(-1, 5), 0);  // previous on the first
    EXPECT_EQ(ClampPictureIndex(3, 5), 3);
    EXPECT_EQ(ClampPictureIndex(1, 0), 0);
    EXPECT_EQ(ClampPictureIndex(-1, 0), 0);
}

TEST(Wallpaper, PathBesideTheProgramOrInTheUsersDataFolder) {
    test::ScratchEnvironment env;
    const std::string savers = env.Folder("savers");
    EXPECT_EQ(WallpaperPath(savers + "Sky.scr"), savers + "Sky.scr.bmp");
    // A folder this user cannot write (here: one that is not there) sends it to the data folder.
    EXPECT_EQ(WallpaperPath(env.Root() + "system/Sky.scr"), env.Root() + "data/lorvane/Sky.scr.bmp");

    // Written there, the folder made first.
    const std::string target = WallpaperPath(env.Root() + "system/Sky.scr");
    WriteWallpaperFile(target, test::GradientPicture(4, 2));
    EXPECT_EQ(DecodeBmp(ReadFileBytes(target), target).Width(), 4);
}

TEST(Wallpaper, PathQuestionAndFile) {
    EXPECT_STREQ(
        WallpaperQuestion,
        "You are about to set selected picture as a wallpaper.\r\nDo you want to proceed?");

    test::TempDir dir;
    const Bitmap32 picture = test::GradientPicture(7, 3);
    const std::string source = dir.Write("pic.BMP", EncodeBmp24(picture));
    const std::string target = dir.File("Sky.scr.bmp");
    dir.Write("Sky.scr.bmp", "an older wallpaper");
    WriteWallpaperFile(target, LoadWallpaperPicture(source));
    const Bitmap32 written = DecodeBmp(ReadFileBytes(target), target);
    ASSERT_EQ(written.Width(), 7);
    ASSERT_EQ(written.Height(), 3);
    EXPECT_EQ(test::MaxChannelDifference(written, picture), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("")), fs::directory_iterator{}), 2);

    dir.Write("broken.lvp", "not a package");
    EXPECT_THROW(LoadWallpaperPicture(dir.File("broken.lvp")), Error);
}

TEST(OpenDocument, WebAndMailAddressesOpen) {
    for (const char* address :
         {"https://example.org/saver", "HTTP://example.org", "mailto:me@example.org"}) {
        const auto decision = DecideOpenDocument(std::string("  ") + address + " ", "");
        EXPECT_EQ(decision.Kind, What::Address) << address;
        EXPECT_EQ(decision.Target, address);
    }
    for (const char* refused : {"file:///bin/sh", "javascript:alert(1)", "smb://host/share",
                                "ftp://example.org", "https:", " ", "http://a\nb"}) {
        const auto decision = DecideOpenDocument(refused, "");
        EXPECT_EQ(decision.Kind, What::Refused) << refused;
        EXPECT_FALSE(decision.Reason.empty());
    }
}

TEST(OpenDocument, ASiteWithoutSchemeOpensOverHttpsUnlessItNamesAFile) {
    test::TempDir dir;
    fs::create_directories(dir.File("work"));
    const std::string folder = dir.File("work");
    dir.Write("work/www.example.org.html", "<p>saved page</p>");

    auto decision = DecideOpenDocument(" www.Example.org/saver ", folder);
    EXPECT_EQ(decision.Kind, What::Address);
    EXPECT_EQ(decision.Target, "https://www.Example.org/saver");
    decision = DecideOpenDocument("example.org/sky/help", folder, "example.org/sky");
    EXPECT_EQ(decision.Kind, What::Address);
    EXPECT_EQ(decision.Target, "https://example.org/sky/help");

    EXPECT_EQ(DecideOpenDocument("www.example.org.html", folder).Kind, What::File);
    // Without "www." or the project's own site it stays a document name.
    EXPECT_EQ(DecideOpenDocument("example.org", folder).Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument("readme.txt", folder, "http://example.org").Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument("www.exa mple.org", folder).Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument("www", folder).Kind, What::Refused);
}

TEST(OpenDocument, DocumentsOnlyFromInsideTheWorkingFolder) {
    test::TempDir dir;
    fs::create_directories(dir.File("work/docs"));
    const std::string folder = dir.File("work");
    dir.Write("work/readme.txt", "Hello");
    dir.Write("work/docs/help.html", "<p>help</p>");
    dir.Write("outside.txt", "x");

    auto decision = DecideOpenDocument("readme.txt", folder);
    EXPECT_EQ(decision.Kind, What::File);
    EXPECT_EQ(decision.Target, fs::canonical(dir.File("work/readme.txt")).string());
    EXPECT_EQ(DecideOpenDocument("docs\\help.html", folder).Kind, What::File);
    EXPECT_EQ(DecideOpenDocument(dir.File("work/docs/help.html"), folder).Kind, What::File);

    EXPECT_EQ(DecideOpenDocument("../outside.txt", folder).Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument(dir.File("outside.txt"), folder).Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument("C:\\Windows\\notepad.exe", folder).Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument("missing.txt", folder).Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument("docs", folder).Kind, What::Refused);
    EXPECT_EQ(DecideOpenDocument("readme.txt", "").Kind, What::Refused);
    // A link inside the folder that leads out of it.
    fs::create_symlink(dir.File("outside.txt"), dir.File("work/link.txt"));
    EXPECT_EQ(DecideOpenDocument("link.txt", folder).Kind, What::Refused);
}

TEST(OpenDocument, ProgramsAndDesktopEntriesAreRefused) {
    test::TempDir dir;
    const std::string folder = dir.File("");
    dir.Write("run.desktop", "[Desktop Entry]\nExec=sh\n");
    dir.Write("entry.txt", "# comment\n[Desktop Entry]\nType=Application\nExec=sh\n");
    dir.Write("script.txt", "#!/bin/sh\necho hi\n");
    dir.Write("elf.dat", std::string("\x7f"
                                     "ELF\x02\x01",
                                     6));
    dir.Write("setup.EXE", "data");
    dir.Write("tool.sh", "echo");
    dir.Write("plain.txt", "just text");
    fs::permissions(dir.File("plain.txt"), fs::perms::owner_exec, fs::perm_options::add);
    dir.Write("photo.jpg", "\xff\xd8\xff");

    for (const char* name : {"run.desktop", "entry.txt", "script.txt", "elf.dat", "setup.EXE",
                             "tool.sh", "plain.txt"}) {
        const auto decision = DecideOpenDocument(name, folder);
        EXPECT_EQ(decision.Kind, What::Refused) << name;
        EXPECT_NE(decision.Reason.find(name), std::string::npos) << decision.Reason;
    }
    EXPECT_EQ(DecideOpenDocument("photo.jpg", folder).Kind, What::File);
}

}  // namespace
}  // namespace lv
