#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest/QTest>

#include "gui/qt/config/settings_dialog.h"
#include "gui/qt/config_fixture.h"

namespace lv {
namespace {

using test::ConfigFixture;

TEST(SettingWindow, LayoutTextsAndRanges) {
    SettingsDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    EXPECT_EQ(dialog.size(), QSize(375, 188));
    EXPECT_EQ(dialog.cbImageSize->geometry(), QRect(144, 20, 153, 21));
    EXPECT_EQ(dialog.cbShowImageMode->geometry(), QRect(144, 45, 153, 21));
    EXPECT_EQ(dialog.txtDuration->geometry(), QRect(144, 70, 49, 22));
    EXPECT_EQ(dialog.tbSpeed->geometry(), QRect(138, 96, 161, 20));
    EXPECT_EQ(dialog.cbTransition->geometry(), QRect(251, 124, 106, 17));
    EXPECT_EQ(dialog.btnCancel->geometry(), QRect(293, 156, 75, 25));
    EXPECT_EQ(dialog.cbShowImageMode->itemText(2), "User's favorite (checked images) - Random");
    EXPECT_EQ(dialog.cbImageSize->count(), 3);
    EXPECT_EQ(dialog.txtDuration->minimum(), 5);
    EXPECT_EQ(dialog.txtDuration->maximum(), 9999);
    EXPECT_EQ(dialog.tbSpeed->maximum(), 20);
    EXPECT_EQ(dialog.cbMusic->text(), "Enable Music");
    EXPECT_EQ(dialog.findChild<QComboBox*>("cbShowImageMode"), dialog.cbShowImageMode);

    dialog.show();
    dialog.tbSpeed->setValue(3);
    QTest::mouseClick(dialog.lblReset, Qt::LeftButton);
    EXPECT_EQ(dialog.tbSpeed->value(), 10);
}

TEST(SettingWindow, OkWritesTheKeysInOrderCancelWritesNothing) {
    ConfigFixture saver(2);
    saver.project.Setting.Speed = 100;
    saver.project.Setting.Stretch = false;
    saver.LoadForms(
        test::FormRecord(test::MainWindowLines({"SettingsLabel"}), {{"SettingsLabel", 5}}), 1);
    saver.settingsUser = [](SettingsDialog& dialog) {
        EXPECT_TRUE(dialog.btnOK->isEnabled());
        EXPECT_EQ(dialog.tbSpeed->value(), 10);
        EXPECT_EQ(dialog.cbImageSize->currentIndex(), 0);
        dialog.cbImageSize->setCurrentIndex(2);
        dialog.cbShowImageMode->setCurrentIndex(3);
        dialog.tbSpeed->setValue(20);
        dialog.cbMusic->setChecked(false);
        dialog.txtDuration->setValue(3);  // below the range: 5
        return int(QDialog::Rejected);
    };
    saver.whileOpen = [](ConfigWindow& window) { window.DoAction("SettingsLabel"); };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.Ini(), "[Setting]\r\nIndex=0\r\n");  // only what closing stores

    auto user = saver.settingsUser;
    saver.settingsUser = [&](SettingsDialog& dialog) {
        user(dialog);
        return int(QDialog::Accepted);
    };
    saver.whileOpen = [](ConfigWindow& window) { window.DoAction("SettingsLabel"); };
    saver.Show("MainWindow");
    EXPECT_EQ(saver.Ini(),
              "[Setting]\r\nIndex=0\r\nImageSize=2\r\nImageMode=3\r\nSpeed=20\r\nSound=1\r\n"
              "Music=0\r\nTransition=1\r\nDuration=5\r\n");
    // The dialog leaves the project alone; the next window applies the file when it is built.
    EXPECT_EQ(saver.project.Setting.Speed, 100);
    saver.whileOpen = nullptr;
    saver.Show("MainWindow");
    EXPECT_EQ(saver.project.Setting.Speed, 500);
    EXPECT_TRUE(saver.project.Setting.Stretch);
    EXPECT_TRUE(saver.project.Setting.Proportional);
    EXPECT_FALSE(saver.project.Setting.Music);
    EXPECT_EQ(saver.project.Setting.ShowImageMode, 3);
}

}  // namespace
}  // namespace lv
