// StartShow and ShowSinglePicture: the two message boxes, and a whole modal show that a key
// ends.
#include "saver/qt/start_show.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "project/package_writer.h"
#include "project/project.h"
#include "saver/qt/show_test_support.h"
#include "saver/qt/show_window.h"
#include "saver/show_loop.h"
#include "saver/show_scene.h"

namespace lv {
namespace {

struct Message {
    MessageKind kind;
    std::string text;
};

ShowWindow* OpenShowWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<ShowWindow*>(widget); window && !window->Closed()) {
            return window;
        }
    }
    return nullptr;
}

void TypeKey(QWidget& window) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&window, &press);
}

class StartShowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        options_.MessageBox = [this](MessageKind kind, const std::string& text) {
            messages_.push_back({kind, text});
            // The error box comes with a window, modal over it in a real show; here the show
            // goes on, and a key ends it.
            if (kind != MessageKind::Error) return;
            QTimer::singleShot(0, [] {
                if (ShowWindow* window = OpenShowWindow()) TypeKey(*window);
            });
        };
    }

    QTemporaryDir folder_;
    test::SilentAudio audio_;
    ShowOptions options_;
    std::vector<Message> messages_;
};

TEST_F(StartShowTest, AProjectWithoutPicturesOpensNoWindow) {
    Project project;
    StartShow(project, audio_, options_);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Information);
    EXPECT_EQ(messages_[0].text, "No image found in Images List.");
}

TEST_F(StartShowTest, PicturesAllDisabledByTheUserShowTheErrorAndABlackWindow) {
    Project project;
    project.FileList.Files = {
        test::WriteJpegFile(folder_, "a.jpg", test::SolidPicture(8, 8, 0xFFFFFF))};
    project.FileList.Enabled = {"FALSE"};  // enabled again by the show, then ticked off below
    options_.UserSettingsFile = folder_.filePath("saver.ini").toStdString();
    WriteFileAtomically(options_.UserSettingsFile,
                        "[Setting]\r\nImageMode=2\r\n[Files]\r\n0=0\r\n");

    StartShow(project, audio_, options_);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Error);
    EXPECT_EQ(messages_[0].text, "Unable to run screensaver.\r\nPlease configure!");
    EXPECT_EQ(OpenShowWindow(), nullptr);
}

TEST_F(StartShowTest, ASinglePictureShowDrawsItAndEndsOnAKey) {
    Project settings;
    settings.Setting.Stretch = true;
    settings.Setting.Proportional = false;
    const std::string file =
        test::WriteJpegFile(folder_, "blue.jpg", test::SolidPicture(16, 12, 0x2040E0));
    QImage shot;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        ShowWindow* window = OpenShowWindow();
        if (window == nullptr || window->Scene() == nullptr ||
            window->Scene()->FramePicture() == nullptr) {
            return;
        }
        shot = window->grab().toImage();
        TypeKey(*window);
    });
    watcher.start();
    ShowSinglePicture(settings, file, audio_, options_);
    watcher.stop();

    EXPECT_TRUE(messages_.empty());
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(test::NearColour(shot.pixel(shot.width() / 2, shot.height() / 2), 0x2040E0));
    EXPECT_TRUE(test::NearColour(shot.pixel(0, 0), 0x2040E0));
    // Music is off in a single-picture show.
    EXPECT_TRUE(audio_.music.empty());
}

TEST_F(StartShowTest, AMutedShowPlaysNeitherMusicNorPictureSounds) {
    // A package with a sound that exists beside it, and music on.
    PackageContents contents =
        test::ShowPackageContents(test::SolidPicture(16, 12, 0x3060A0), test::PackageWeather::None);
    contents.SoundFile = "surf.wav";
    const std::string package = folder_.filePath("sea.lvp").toStdString();
    WriteFileAtomically(package, BuildImagePackage(contents));
    WriteFileAtomically(folder_.filePath("surf.wav").toStdString(), "RIFF");
    options_.Folders.WorkingFolder = folder_.path().toStdString() + "/";
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [] {
        ShowWindow* window = OpenShowWindow();
        if (window != nullptr && window->Scene() != nullptr &&
            window->Scene()->FramePicture() != nullptr) {
            TypeKey(*window);
        }
    });
    for (const bool muted : {false, true}) {
        SCOPED_TRACE(muted);
        Project project;
        project.FileList.Files = {package};
        project.FileList.Enabled = {"TRUE"};
        project.Setting.Music = true;
        project.Setting.MusicFile = "tune.mid";
        project.Setting.Sound = true;
        audio_ = test::SilentAudio();
        options_.Muted = muted;
        watcher.start();
        StartShow(project, audio_, options_);
        watcher.stop();
        if (muted) {
            EXPECT_TRUE(audio_.music.empty());
            EXPECT_TRUE(audio_.sounds.empty());
        } else {
            EXPECT_EQ(audio_.music,
                      std::vector<std::string>{options_.Folders.WorkingFolder + "tune.mid"});
            EXPECT_EQ(audio_.sounds,
                      std::vector<std::string>{options_.Folders.WorkingFolder + "surf.wav"});
        }
    }
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace lv
