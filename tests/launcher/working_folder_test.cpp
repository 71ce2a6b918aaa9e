#include "launcher/working_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "common/error.h"
#include "launcher/creator_config.h"
#include "platform/user_folders.h"
#include "project/container.h"
#include "project/saver_builder.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

const std::string EngineBytes = std::string(5000, 'E');

// A saver whose LVFilenames.res lines, file entries and file list are given as they are,
// unchecked.
std::string RawSaver(const std::string& names, const std::vector<std::string_view>& files,
                     const std::string& settings = "", const std::string& fileList = "") {
    const std::string lvc = BuildContainer({fileList, settings, "[UI]\r\nUIFile=x\r\n"});
    const std::string fileContainer = BuildContainer(files);
    return EngineBytes + BuildContainer({lvc, names, fileContainer, "forms"});
}

class WorkingFolderTest : public ::testing::Test {
protected:
    std::string MakeSaver(const std::string& name, const SaverContents& contents) {
        const std::string engine = apps_ + "engine";
        test::WriteTestFile(engine, EngineBytes);
        BuildSaver(apps_ + name, engine, contents);
        return apps_ + name;
    }
    std::string WriteSaver(const std::string& name, const std::string& bytes) {
        test::WriteTestFile(apps_ + name, bytes);
        return apps_ + name;
    }
    std::vector<std::string> Listing(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(folder))
            names.push_back(fs::relative(e.path(), folder).string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::ScratchEnvironment env_;
    std::string apps_ = env_.Folder("apps");
};

SaverContents SeaContents() {
    SaverContents c;
    c.SettingsText = "[General]\r\nProductName=Sea\r\n[Advance]\r\nPreviewFile=C:\\p\\prev.jpg\r\n";
    c.Forms = "object MainWindow end";
    c.Files = {{"sea.lvp", "LVP-bytes", true, true},
               {"sky.jpg", "", true, false},
               {"prev.jpg", "JPEG", false, true},
               {"song.mid", "MThd", false, true}};
    return c;
}

TEST_F(WorkingFolderTest, NameIsCutAtTheFirstDotAndLinksLeadToTheSameFolder) {
    const std::string a = WriteSaver("Sea.Saver.scr", "x");
    const std::string b = WriteSaver("Sea.scr", "x");
    fs::create_symlink(a, apps_ + "Other.scr");
    EXPECT_EQ(GetWorkingFolder(a), env_.RunFolder() + "Sea/");
    EXPECT_EQ(GetWorkingFolder(b), env_.RunFolder() + "Sea/");
    EXPECT_EQ(GetWorkingFolder(apps_ + "Other.scr"), env_.RunFolder() + "Sea/");
    EXPECT_EQ(GetWorkingFolder(apps_ + "../apps/./Sea.scr"), env_.RunFolder() + "Sea/");
    EXPECT_TRUE(fs::is_directory(env_.RunFolder() + "Sea"));
    EXPECT_THROW(GetWorkingFolder(apps_ + "missing.scr"), Error);
    EXPECT_THROW(GetWorkingFolder(WriteSaver(".scr", "x")), Error);
}

TEST_F(WorkingFolderTest, LeftoverFolderIsUsedOnlyWhileItIsPrivateAndOurs) {
    const std::string saver = WriteSaver("Sea.scr", "x");
    const std::string folder = env_.RunFolder() + "Sea";

    fs::create_directory_symlink(env_.Folder("elsewhere"), folder);
    EXPECT_THROW(GetWorkingFolder(saver), Error);
    fs::remove(folder);

    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    EXPECT_EQ(GetWorkingFolder(saver), folder + "/");
    ::chmod(folder.c_str(), 0777);
    EXPECT_THROW(GetWorkingFolder(saver), Error);
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(GetWorkingFolder(saver), folder + "/");

    // Only root can hand a folder to another user.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        try {
            GetWorkingFolder(saver);
            ADD_FAILURE() << "a folder of another user was accepted";
        } catch (const Error& e) {
            EXPECT_NE(e.Message().find("another user"), std::string::npos) << e.Message();
        }
    }
}

TEST_F(WorkingFolderTest, ExtractionUnpacksAndPointsTheProjectIntoTheFolder) {
    const std::string saver = MakeSaver("Sea.scr", SeaContents());
    Project project;
    InstanceRegistration registration = ExtractProject(project, saver);
    const std::string w = env_.RunFolder() + "Sea/";
    // The file container is split straight from the saver, never written out.
    EXPECT_EQ(Listing(w), (std::vector<std::string>{"LVC.res", "LVFilenames.res", "LVGUI.lvu",
                                                    "LVInstances.lock", "prev.jpg", "sea.lvp",
                                                    "sky.jpg", "song.mid"}));
    EXPECT_EQ(test::ReadTestFile(w + "sea.lvp"), "LVP-bytes");
    EXPECT_EQ(test::ReadTestFile(w + "sky.jpg"), "");
    EXPECT_EQ(test::ReadTestFile(w + "LVGUI.lvu"), "object MainWindow end");
    EXPECT_EQ(project.FileList.Files, (std::vector<std::string>{w + "sea.lvp", w + "sky.jpg"}));
    EXPECT_EQ(project.FileList.Enabled, (std::vector<std::string>{"TRUE", "FALSE"}));
    EXPECT_EQ(project.Setting.PreviewFile, w + "prev.jpg");
    EXPECT_EQ(project.UISetting.UIFile, w + "LVGUI.lvu");
    EXPECT_EQ(project.Setting.ProductName, "Sea");

    RemoveProjectFiles(project, registration);
    EXPECT_FALSE(fs::exists(w));
}

TEST_F(WorkingFolderTest, CleanUpKeepsTheFolderWhenSomethingElseIsInIt) {
    const std::string saver = MakeSaver("Sea.scr", SeaContents());
    Project project;
    InstanceRegistration registration = ExtractProject(project, saver);
    const std::string w = env_.RunFolder() + "Sea/";
    test::WriteTestFile(w + "wallpaper.bmp", "x");
    RemoveProjectFiles(project, registration);
    EXPECT_EQ(Listing(w), std::vector<std::string>{"wallpaper.bmp"});
}

TEST_F(WorkingFolderTest, EmptyPreviewStaysEmptyAndForeignPathsKeepTheirLastComponent) {
    const std::string saver = WriteSaver(
        "Sky.scr", RawSaver("C:\\Users\\me\\a.jpg\r\n/home/me/b.lvp\r\nplain.mid\r\n",
                            {"A", "B", "M"}));
    Project project;
    const InstanceRegistration registration = ExtractProject(project, saver);
    const std::string w = env_.RunFolder() + "Sky/";
    EXPECT_EQ(test::ReadTestFile(w + "a.jpg"), "A");
    EXPECT_EQ(test::ReadTestFile(w + "b.lvp"), "B");
    EXPECT_EQ(test::ReadTestFile(w + "plain.mid"), "M");
    EXPECT_EQ(project.Setting.PreviewFile, "");
}

TEST_F(WorkingFolderTest, NamesOfAPackageMadeOnWindowsFindTheirFilesInAnyLetterCase) {
    // The lists say what someone typed on Windows; the packed names are spelled otherwise, and
    // two of them differ only in case.
    const std::string saver = WriteSaver(
        "Win.scr",
        RawSaver("harbour.lvp\r\nSea.jpg\r\nsea.JPG\r\nprev.JPG\r\n", {"H", "S1", "S2", "P"},
                 "[Advance]\r\nPreviewFile=C:\\Savers\\PREV.jpg\r\n",
                 "[FileList]\r\nHarbour.LVP=1\r\nsea.JPG=1\r\nSea.jpg=1\r\nSEA.JPG=1\r\n"
                 "gone.jpg=1\r\n"));
    Project project;
    InstanceRegistration registration = ExtractProject(project, saver);
    const std::string w = env_.RunFolder() + "Win/";
    EXPECT_EQ(project.FileList.Files,
              (std::vector<std::string>{w + "harbour.lvp", w + "sea.JPG", w + "Sea.jpg",
                                        w + "Sea.jpg", w + "gone.jpg"}));
    EXPECT_EQ(test::ReadTestFile(w + "Sea.jpg"), "S1");
    EXPECT_EQ(test::ReadTestFile(w + "sea.JPG"), "S2");
    EXPECT_EQ(project.Setting.PreviewFile, w + "prev.JPG");
    RemoveProjectFiles(project, registration);
    EXPECT_FALSE(fs::exists(w));
}

TEST_F(WorkingFolderTest, HostileNamesAreRejectedBeforeAnyProjectFileIsWritten) {
    const char* hostile[] = {"..",
                             "C:\\x\\..",
                             "dir/",
                             "\\",
                             ".",
                             "LVC.res",
                             "C:\\LVFiles.res",
                             "LVInstances.lock",
                             "lvgui.LVU"};
    for (const char* name : hostile) {
        const std::string saver = WriteSaver(
            "Evil.scr", RawSaver(std::string("good.jpg\r\n") + name + "\r\n", {"G", "E"}));
        Project project;
        try {
            const InstanceRegistration registration = ExtractProject(project, saver);
            ADD_FAILURE() << name << " was accepted";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
            EXPECT_NE(e.File().find("LVFilenames.res"), std::string::npos);
        }
        EXPECT_FALSE(fs::exists(env_.RunFolder() + "Evil/good.jpg")) << name;
    }
    // Nothing landed beside the working folder or the saver.
    EXPECT_EQ(Listing(env_.RunFolder()), std::vector<std::string>{});
    EXPECT_EQ(Listing(apps_), std::vector<std::string>{"Evil.scr"});
}

TEST_F(WorkingFolderTest, NameListThatDoesNotFitTheFilesIsAnError) {
    const std::string saver = WriteSaver("Odd.scr", RawSaver("a.jpg\r\nb.jpg\r\n", {"A"}));
    Project project;
    EXPECT_THROW((void)ExtractProject(project, saver), FormatError);
    const std::string emptyLine = WriteSaver("Gap.scr", RawSaver("a.jpg\r\n\r\nb.jpg\r\n", {"A", "B"}));
    EXPECT_THROW((void)ExtractProject(project, emptyLine), FormatError);
}

TEST_F(WorkingFolderTest, ProgramWithoutPackageEndsWithAClearError) {
    const std::string saver = WriteSaver("Bare.scr", EngineBytes);
    Project project;
    try {
        const InstanceRegistration registration = ExtractProject(project, saver);
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_EQ(e.Message(), "no saver package found in " + saver);
    }
    EXPECT_FALSE(fs::exists(env_.RunFolder() + "Bare"));
}

class PrivateFolderTest : public ::testing::Test {
protected:
    test::ScratchEnvironment env_;
};

TEST_F(PrivateFolderTest, WithoutRuntimeFolderAPrivatePerUserFolderIsCreated) {
    env_.Set("XDG_RUNTIME_DIR", std::nullopt);
    const std::string expected = env_.Root() + "tmp/lvcsaver-" + std::to_string(::geteuid()) + "/";
    EXPECT_EQ(PrivateTempFolder(), expected);
    struct stat st {};
    ASSERT_EQ(::lstat(expected.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(PrivateTempFolder(), expected);  // the existing one is accepted
}

TEST_F(PrivateFolderTest, RefusesLinksAndFoldersOpenToOthers) {
    env_.Set("XDG_RUNTIME_DIR", std::nullopt);
    const std::string planted = env_.Folder("planted");
    const std::string per_user = env_.Root() + "tmp/lvcsaver-" + std::to_string(::geteuid());
    fs::create_directory_symlink(planted, per_user);
    EXPECT_THROW(PrivateTempFolder(), Error);
    fs::remove(per_user);
    ::mkdir(per_user.c_str(), 0700);
    ::chmod(per_user.c_str(), 0777);
    EXPECT_THROW(PrivateTempFolder(), Error);

    fs::create_directory_symlink(planted, env_.Root() + "runlink");
    env_.Set("XDG_RUNTIME_DIR", env_.Root() + "runlink");
    EXPECT_THROW(PrivateTempFolder(), Error);
}

TEST_F(PrivateFolderTest, CreatorFolderComesFromTheConfigFileOrTheDataFolder) {
    EXPECT_EQ(CreatorConfig().GetCreatorFolder(), env_.Root() + "data/Lorvane/");
    test::WriteTestFile(env_.Root() + "config/Lorvane.ini", "[config]\r\npath=/opt/lorvane/\r\n");
    EXPECT_EQ(CreatorConfig().GetCreatorFolder(), "/opt/lorvane/");
}

}  // namespace
}  // namespace lv
