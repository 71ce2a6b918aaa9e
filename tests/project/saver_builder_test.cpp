#include "project/saver_builder.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/file_util.h"
#include "project/container.h"

namespace lv {
namespace {

std::string Entry(const std::string& bytes) {
    std::string out;
    AppendLE32(out, static_cast<int32_t>(bytes.size()));
    return out + bytes;
}

std::string Count(int32_t n) {
    std::string out;
    AppendLE32(out, n);
    return out;
}

TEST(SaverBuilder, PackageFollowsTheContainerLayoutByteForByte) {
    SaverContents c;
    c.SettingsText = "[Default]\r\nDuration=9\r\n";
    c.Forms = "F";
    c.Files = {{"a.jpg", "AB", true, false}, {"m.mid", "", false, true}};
    const std::string m = ContainerMarker();
    const std::string fileList = "[FileListHeader]\r\nHeader=1\r\n[FileList]\r\na.jpg=0\r\n";
    const std::string ui = "[UI]\r\nUIFile=LVGUI.lvu\r\n";
    const std::string lvc = m + Count(3) + Entry(fileList) + Entry(c.SettingsText) + Entry(ui);
    const std::string names = "a.jpg\r\nm.mid\r\n";
    const std::string files = m + Count(2) + Entry("AB") + Entry("");
    const std::string expected = m + Count(4) + Entry(lvc) + Entry(names) + Entry(files) + Entry("F");
    EXPECT_TRUE(BuildPackage(c) == expected);
}

TEST(SaverBuilder, RefusesNamesThatWouldNotSurviveTheNameListOrTheFileList) {
    for (const char* bad : {"", ".", "..", "a=b.jpg", "[x].jpg", ";x.jpg", "d/x.jpg", "d\\x.jpg",
                            " x.jpg", "x.jpg "}) {
        SaverContents c;
        c.Files = {{bad, "x", true, true}};
        EXPECT_THROW(BuildPackage(c), Error) << '"' << bad << '"';
    }
    SaverContents twins;
    twins.Files = {{"Sea.jpg", "1", true, true}, {"sea.JPG", "2", true, true}};
    EXPECT_THROW(BuildPackage(twins), Error);
    SaverContents fine;
    fine.Files = {{"pic[1] (copy).jpg", "1", true, true}};
    EXPECT_NO_THROW(BuildPackage(fine));
}

}  // namespace
}  // namespace lv
