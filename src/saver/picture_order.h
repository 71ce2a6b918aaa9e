#pragma once

#include <string>
#include <vector>

namespace lv {

struct ProjectFileList;

// Values of [Default] ShowImageMode as the configuration window names them. Only the order
// matters here: 0 and 2 are random, every other value is list order.
enum ShowImageModeValue {
    AllImagesRandom = 0,
    AllImagesSequential = 1,
    FavoritesRandom = 2,
    SingleSelectedImage = 3,
};

bool IsRandomPictureOrder(int showImageMode);

// The next of `count` entries after `current` (-1 before the first choice). In list order the
// index after the last is 0. In random order a uniform draw from the program-wide generator is
// repeated until it differs from `current`, so with at least two entries none comes twice in a
// row; with fewer than two the answer is 0. Callers only ask with count > 0.
int NextIndex(int current, int count, bool randomOrder);

// The next picture of the show in the order `showImageMode` chooses.
int NextPictureIndex(int current, int pictureCount, int showImageMode);

// The next music track: list order when `inOrder` ([Advance] MusicMode != 0), else random.
int NextMusicIndex(int current, int trackCount, bool inOrder);

// Full paths of the pictures whose Enabled entry is "TRUE", in project order. An entry without
// an Enabled value counts as disabled.
std::vector<std::string> EnabledPictures(const ProjectFileList& fileList);

}  // namespace lv
