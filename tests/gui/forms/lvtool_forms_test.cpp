#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct RunResult {
    int status = -1;
    std::string output;  // stdout and stderr together
};

RunResult RunLvtool(const std::string& arguments) {
    RunResult result;
    const std::string command = std::string(LV_LVTOOL_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class LvtoolForms : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() / ("lvtool_forms_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& content) {
        const auto path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    std::filesystem::path dir_;
};

TEST_F(LvtoolForms, PrintsDefinitionsBindingsAndComponentsAsJson) {
    const std::string path =
        Write("gui.lvu",
              "2\r\n"
              "9\r\n"
              "object MainWindow: TfmForm\r\n"
              "  Caption = 'x'\r\n"
              "  object Panel1: TPanel\r\n"
              "    object Go: TJetButton\r\n"
              "    end\r\n"
              "  end\r\n"
              "  object Thumbs: TLVThumbnail2\r\n"
              "  end\r\n"
              "end\r\n"
              "6\r\n1\r\nGo\r\n256\r\nC:\\Docs\\\"Read me\".txt\r\nCaf\xE9\r\n\r\n"
              "1\r\nDummy\r\n"
              "2\r\nobject Sub: TfmForm\r\nend\r\n1\r\n0\r\n0\r\n");
    const RunResult run = RunLvtool("forms " + path);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output,
              "{\"forms\": [\n"
              "    {\n"
              "      \"name\": \"MainWindow\",\n"
              "      \"bindings\": [\n"
              "        {\"component\": \"Go\", \"kind\": 256, \"params\": "
              "[\"C:\\\\Docs\\\\\\\"Read me\\\".txt\", \"Caf\xC3\xA9\", \" \"]}\n"
              "      ],\n"
              "      \"components\": [\n"
              "        {\"name\": \"MainWindow\", \"class\": \"TfmForm\", \"parent\": null},\n"
              "        {\"name\": \"Panel1\", \"class\": \"TPanel\", \"parent\": \"MainWindow\"},\n"
              "        {\"name\": \"Go\", \"class\": \"TJetButton\", \"parent\": \"Panel1\"},\n"
              "        {\"name\": \"Thumbs\", \"class\": \"TLVThumbnail2\", \"parent\": "
              "\"MainWindow\"}\n"
              "      ]\n"
              "    },\n"
              "    {\n"
              "      \"name\": \"Sub\",\n"
              "      \"bindings\": [],\n"
              "      \"components\": [\n"
              "        {\"name\": \"Sub\", \"class\": \"TfmForm\", \"parent\": null}\n"
              "      ]\n"
              "    }\n"
              "  ]}\n");
}

TEST_F(LvtoolForms, ReportsBadFilesAndUsage) {
    const RunResult empty = RunLvtool("forms " + Write("none.lvu", "0\r\n"));
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.output, "{\"forms\": []}\n");

    const std::string bad = Write("bad.lvu", "1\r\n3\r\nobject A: TfmForm\r\n");
    const RunResult badRun = RunLvtool("forms " + bad);
    EXPECT_EQ(badRun.status, 1);
    EXPECT_EQ(badRun.output,
              "lvtool forms: " + bad + ": line 2: expected 3 description lines, found only 1\n");

    const std::string broken =
        Write("broken.lvu", "1\r\n2\r\nobject A: TfmForm\r\n  Left 1\r\n0\r\n0\r\n");
    const RunResult brokenRun = RunLvtool("forms " + broken);
    EXPECT_EQ(brokenRun.status, 1);
    EXPECT_NE(brokenRun.output.find("line 4: expected '=', found '1'"), std::string::npos)
        << brokenRun.output;

    EXPECT_EQ(RunLvtool("forms").status, 2);
    EXPECT_EQ(RunLvtool("forms a.lvu b.lvu").status, 2);
    const RunResult help = RunLvtool("forms --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage: lvtool forms FILE.lvu"), std::string::npos);
}

}  // namespace
