#include "project/saver_package.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/error.h"
#include "common/name_case.h"
#include "project/saver_builder.h"
#include "project/saver_unpacker.h"
#include "project/scratch_environment.h"

namespace lv {
namespace {

namespace fs = std::filesystem;

// Every byte alone, inside a name and at both of its ends; the fixed names in several letter
// cases; names at and beyond the length limit.
std::vector<std::string> CandidateNames() {
    std::vector<std::string> names = {"", ".", "..", "...", ".hidden", "a.", "a b.jpg"};
    for (int byte = 0; byte < 256; ++byte) {
        const std::string c(1, static_cast<char>(byte));
        names.insert(names.end(), {c, "a" + c + "b.jpg", c + "x.jpg", "x.jpg" + c});
    }
    for (const std::string fixed : {"LVC.res", "LVFilenames.res", "LVFiles.res", "LVGUI.lvu",
                                    "LVFinal.res", "LVInstances.lock"}) {
        std::string lower = fixed;
        std::string upper = fixed;
        for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        names.insert(names.end(), {fixed, lower, upper, "x" + fixed, fixed + ".jpg"});
    }
    names.push_back(std::string(196, 'n') + ".jpg");
    names.push_back(std::string(197, 'n') + ".jpg");
    return names;
}

TEST(SaverPackage, EveryNameTheBuilderAcceptsUnpacksUnderThatName) {
    // The builder's verdict on each name alone; the accepted names are then packed together,
    // spread over as few savers as names differing only in letter case allow.
    std::vector<SaverContents> savers;
    int refused = 0;
    for (const std::string& name : CandidateNames()) {
        SaverContents single;
        single.Files = {{name, "bytes of " + name, true, true}};
        try {
            BuildPackage(single);
        } catch (const Error&) {
            ++refused;
            continue;
        }
        bool placed = false;
        for (auto& saver : savers) {
            const bool twin =
                std::any_of(saver.Files.begin(), saver.Files.end(),
                            [&](const SaverFile& f) { return SameNameIgnoringCase(f.Name, name); });
            if (!twin) {
                saver.Files.push_back(single.Files[0]);
                placed = true;
                break;
            }
        }
        if (!placed) savers.push_back(single);
    }
    EXPECT_GT(refused, 50);

    test::ScratchEnvironment env;
    const std::string engine = env.Root() + "engine";
    test::WriteTestFile(engine, std::string(100, 'E'));
    size_t unpacked = 0;
    for (size_t k = 0; k < savers.size(); ++k) {
        const std::string saver = env.Root() + "Sea.scr";
        const std::string folder = env.Folder("w" + std::to_string(k));
        BuildSaver(saver, engine, savers[k]);
        const std::vector<std::string> written = UnpackPackage(saver, folder);
        ASSERT_EQ(written.size(), 3 + savers[k].Files.size());
        for (size_t i = 0; i < savers[k].Files.size(); ++i) {
            const SaverFile& file = savers[k].Files[i];
            EXPECT_EQ(written[3 + i], folder + file.Name);
            EXPECT_EQ(test::ReadTestFile(folder + file.Name), file.Bytes) << file.Name;
            ++unpacked;
        }
    }
    EXPECT_GT(unpacked, 700u);
}

TEST(SaverPackage, BuilderRefusesTheFixedNamesInAnyLetterCase) {
    for (const char* fixed :
         {"LVC.res", "LVGUI.lvu", "LVFinal.res", "lvinstances.LOCK", "lvfiles.res"}) {
        SaverContents contents;
        contents.Files = {{fixed, "x", false, true}};
        try {
            BuildPackage(contents);
            ADD_FAILURE() << fixed << " was packed";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(fixed), std::string::npos) << e.what();
        }
    }
}

TEST(SaverPackage, ReadLinesAcceptsEveryLineEnd) {
    test::ScratchEnvironment env;
    const std::string list = env.Root() + "l.txt";
    test::WriteTestFile(list, "a\r\nb\nc\rd\r\n");
    EXPECT_EQ(ReadLines(list), (std::vector<std::string>{"a", "b", "c", "d"}));
    test::WriteTestFile(list, "");
    EXPECT_TRUE(ReadLines(list).empty());
}

}  // namespace
}  // namespace lv
