#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <string>

#include "gui/qt/form_fixture.h"
#include "support/picture_fixtures.h"

namespace lv {
namespace {

// Runs lvtool and returns what it printed; `errors` chooses where its messages go.
std::string RunLvtool(const std::string& arguments, const char* errors, int& status) {
    std::string output;
    FILE* pipe =
        ::popen((std::string(LV_LVTOOL_PATH) + " " + arguments + " " + errors).c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    status = ::pclose(pipe);
    return output;
}

TEST(LvtoolWindow, DumpsTheWindowAndItsComponentsAndSavesAPicture) {
    test::TempDir folder;
    const std::string forms = folder.Write("forms.lvu", test::DefinitionFile({
                                                            "object MainWindow: TfmForm",
                                                            "  Caption = 'Caf'#233",
                                                            "  ClientHeight = 120",
                                                            "  ClientWidth = 200",
                                                            "  object Panel1: TPanel",
                                                            "    Tag = 3",
                                                            "    Left = 10",
                                                            "    Top = 20",
                                                            "    Width = 100",
                                                            "    Height = 50",
                                                            "    Caption = '<ScreensaverName>'",
                                                            "    object Hidden: TLabel",
                                                            "      Tag = 2",
                                                            "      Left = 4",
                                                            "      Top = 5",
                                                            "      Caption = 'x'",
                                                            "    end",
                                                            "  end",
                                                            "end",
                                                        }));
    const std::string png = folder.File("window.png");
    int status = -1;
    const std::string output =
        RunLvtool("window " + forms + " mainwindow --dump --png " + png, "2>/dev/null", status);
    ASSERT_EQ(status, 0) << output;
    const QJsonArray entries = QJsonDocument::fromJson(QByteArray::fromStdString(output)).array();
    ASSERT_EQ(entries.size(), 3) << output;
    EXPECT_EQ(entries[0]["name"].toString(), "MainWindow");
    EXPECT_EQ(entries[0]["text"].toString(), QString::fromUtf8("Caf\u00e9"));
    EXPECT_EQ(entries[0]["width"].toInt(), 200);
    EXPECT_EQ(entries[1]["class"].toString(), "TPanel");
    EXPECT_EQ(entries[1]["x"].toInt(), 10);
    EXPECT_EQ(entries[1]["y"].toInt(), 20);
    EXPECT_EQ(entries[1]["visible"].toBool(), true);
    EXPECT_EQ(entries[1]["text"].toString(), "");  // no project: the placeholder becomes empty
    EXPECT_EQ(entries[2]["x"].toInt(), 4);
    EXPECT_EQ(entries[2]["visible"].toBool(), false);
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(200, 120));

    const std::string bad = RunLvtool("window " + forms + " Nothing", "2>&1", status);
    EXPECT_NE(status, 0);
    EXPECT_NE(bad.find("Nothing"), std::string::npos) << bad;
}

}  // namespace
}  // namespace lv
