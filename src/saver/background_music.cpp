#include "saver/background_music.h"

#include <exception>
#include <utility>

#include "common/name_case.h"
#include "saver/picture_order.h"
#include "saver/show_audio.h"
#include "saver/sound_paths.h"

namespace lv {

std::vector<std::string> ParseMusicFiles(const std::string& musicFile,
                                         const std::string& workingFolder) {
    std::vector<std::string> files;
    size_t start = 0;
    while (start <= musicFile.size()) {
        size_t end = musicFile.find(';', start);
        if (end == std::string::npos) {
            end = musicFile.size();
        }
        const std::string item = musicFile.substr(start, end - start);
        if (!item.empty()) {
            files.push_back(HasFolderPart(item) ? item : FindFileIgnoringCase(workingFolder, item));
        }
        start = end + 1;
    }
    return files;
}

BackgroundMusic::BackgroundMusic(ShowAudio& audio, WarningFunction warn)
    : audio_(audio), warn_(std::move(warn)) {}

void BackgroundMusic::Start(bool musicOn, const std::string& musicFile, int musicMode,
                            const std::string& workingFolder) {
    if (!musicOn || musicFile.empty()) {
        return;
    }
    musicFiles_ = ParseMusicFiles(musicFile, workingFolder);
    if (musicFiles_.empty()) {
        return;
    }
    musicInOrder_ = musicMode != 0;
    musicIndex_ = -1;
    musicIndex_ = NextMusicIndex(musicIndex_, static_cast<int>(musicFiles_.size()), musicInOrder_);
    try {
        audio_.PlayMusic(musicFiles_[static_cast<size_t>(musicIndex_)]);
        playing_ = true;
    } catch (const std::exception&) {
        playing_ = false;
    }
}

void BackgroundMusic::Poll() {
    if (!audio_.TakeMusicTrackFinished() || !playing_) {
        return;
    }
    musicIndex_ = NextMusicIndex(musicIndex_, static_cast<int>(musicFiles_.size()), musicInOrder_);
    try {
        audio_.PlayMusic(musicFiles_[static_cast<size_t>(musicIndex_)]);
    } catch (const std::exception& error) {
        playing_ = false;
        if (warn_) {
            warn_(std::string("music stopped: ") + error.what());
        }
    }
}

void BackgroundMusic::Stop() {
    if (playing_) {
        audio_.StopMusic();
        playing_ = false;
    }
}

}  // namespace lv
