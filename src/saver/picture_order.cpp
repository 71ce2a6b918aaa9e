#include "saver/picture_order.h"

#include "common/random.h"
#include "project/project.h"

namespace lv {

bool IsRandomPictureOrder(int showImageMode) {
    return showImageMode == AllImagesRandom || showImageMode == FavoritesRandom;
}

int NextIndex(int current, int count, bool randomOrder) {
    if (randomOrder) {
        if (count < 2) {
            return 0;
        }
        int next;
        do {
            next = Random(count);
        } while (next == current);
        return next;
    }
    // ">=" rather than "==" keeps a stale index from running past a list that shrank.
    const int next = current + 1;
    return (next >= count || next < 0) ? 0 : next;
}

int NextPictureIndex(int current, int pictureCount, int showImageMode) {
    return NextIndex(current, pictureCount, IsRandomPictureOrder(showImageMode));
}

int NextMusicIndex(int current, int trackCount, bool inOrder) {
    return NextIndex(current, trackCount, !inOrder);
}

std::vector<std::string> EnabledPictures(const ProjectFileList& fileList) {
    std::vector<std::string> pictures;
    for (size_t i = 0; i < fileList.Files.size(); ++i) {
        if (i < fileList.Enabled.size() && fileList.Enabled[i] == "TRUE") {
            pictures.push_back(fileList.Files[i]);
        }
    }
    return pictures;
}

}  // namespace lv
