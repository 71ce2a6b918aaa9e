#pragma once

#include <string>
#include <vector>

#include "common/warning.h"

namespace lv {

class ShowAudio;

// The music list of [Advance] MusicFile: items separated by ";", empty items skipped, order
// kept; an item without a folder part is taken from the working folder, where a file whose
// name differs only in letter case stands in for one that is not there.
std::vector<std::string> ParseMusicFiles(const std::string& musicFile,
                                         const std::string& workingFolder);

// Background music: one track after another for the whole show, in list order or at random,
// a single track looping. It runs independently of the pictures; the show's thread polls it
// between two frames to start the next track when one has ended.
class BackgroundMusic {
public:
    BackgroundMusic(ShowAudio& audio, WarningFunction warn = WarnOnStandardError);

    // Starts the music when it is on and the list is not empty. A first track that cannot be
    // played means no music for this show, silently.
    void Start(bool musicOn, const std::string& musicFile, int musicMode,
               const std::string& workingFolder);

    // Starts the next track when the audio reports the end of one. A later track that cannot be
    // played ends the music with a warning; the show goes on.
    void Poll();

    void Stop();

    bool Playing() const { return playing_; }
    int MusicIndex() const { return musicIndex_; }
    const std::vector<std::string>& MusicFiles() const { return musicFiles_; }

private:
    ShowAudio& audio_;
    WarningFunction warn_;
    std::vector<std::string> musicFiles_;
    int musicIndex_ = -1;
    bool musicInOrder_ = false;
    bool playing_ = false;
};

}  // namespace lv
