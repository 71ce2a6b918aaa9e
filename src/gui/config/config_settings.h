#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/rounding.h"
#include "common/warning.h"
#include "project/project.h"

namespace lv {

// Where the configuration window keeps the user's choices, and whether it may touch that file
// at all. The window reads and writes the user settings file only when the program runs as an
// installed saver: its file ends in ".scr" (letter case ignored) or the first command-line
// argument is "/C". Started any other way (a plain engine binary without "/C"), it reads and
// writes nothing, so trying out a program does not leave a stray settings file behind.
// A file that is there but cannot be read (no read permission, a folder in its place) is not
// usable either, after one warning through `warn`: its values are unknown, and writing would
// replace what the user has there.
struct UserSettingsFile {
    std::string Path;     // the program's long path with ".ini" for its extension
    bool Usable = false;  // false: nothing is read or written
};

UserSettingsFile ConfigSettingsFile(const std::string& ownPath, const std::string& firstArgument,
                                    const WarningFunction& warn = WarnOnStandardError);

// The values the Settings dialog edits, section [Setting] of the user settings file.
struct UserSettingValues {
    int ImageSize = 0;    // 0 own size, 1 stretch to full screen, 2 stretch keeping proportions
    int ImageMode = 0;    // 0 all random, 1 all in order, 2 ticked pictures random, 3 selected only
    int SpeedIndex = 10;  // index into SpeedTable
    bool Sound = true;
    bool Music = true;
    bool Transition = true;
    int Duration = 30;  // seconds per picture
    // True when the speed index is not the project's own speed: the project speed is not a
    // table value and no usable Speed is stored. The index then only positions the slider and
    // the project keeps its speed.
    bool KeepProjectSpeed = false;
};

inline constexpr int ImageSizeChoices = 3;
inline constexpr int ImageModeChoices = 4;
inline constexpr int MinimumDuration = 5;
inline constexpr int MaximumDuration = 9999;

// The last speed index whose table value equals `speed`; -1 when none does.
int SpeedIndexOf(int speed);

// The dialog's starting values from the project's settings alone.
UserSettingValues ProjectConfigSettings(const Project& project);

struct ReadConfigSettingsResult {
    bool Usable = false;
    UserSettingValues Values;
};

// The project's values, overlaid by what [Setting] stores when the file is usable and exists.
// Stored values the dialog could not show (an ImageSize, ImageMode or Speed outside its list)
// read as missing.
ReadConfigSettingsResult ReadUserSettings(const Project& project, const UserSettingsFile& file);

// Writes ImageSize, ImageMode, Speed, Sound, Music, Transition and Duration to [Setting], in
// this order, Booleans as "1" and "0", in one atomic rewrite of the file. Does nothing when the
// file is not usable. Raises lv::Error naming the file when it cannot be written.
void WriteUserSettings(const UserSettingsFile& file, const UserSettingValues& values);

// Copies the values into the project's settings in memory, as the window's later actions (the
// single-picture show) use them.
void ApplyConfigSettings(Project& project, const UserSettingValues& values);

// [Setting] Index when usable, else 0; an index outside the picture list reads as 0.
int ReadPictureIndex(const UserSettingsFile& file, size_t pictureCount);

// One flag per picture: false for the pictures whose decimal index is a key of [Files]. All
// true when the file is not usable.
std::vector<bool> ReadPictureTicks(const UserSettingsFile& file, size_t pictureCount);

// What the window stores when it closes: Index, and, when the window has a thumbnail list,
// [Files] erased and rewritten with one empty key per unticked picture ("3="). One atomic
// rewrite; nothing when the file is not usable.
void WriteWindowState(const UserSettingsFile& file, int pictureIndex,
                      const std::vector<bool>* pictureTicks);

}  // namespace lv
