#pragma once

#include <string>
#include <vector>

#include "common/warning.h"
#include "project/project.h"
#include "project/user_settings.h"

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
    std::string Path;     // the user settings file beside the program
    bool Usable = false;  // false: nothing is read or written
};

// `settingsPath` is the user settings file of the program at `ownPath` (empty when the
// program's file cannot be found, which makes it unusable).
UserSettingsFile ConfigSettingsFile(const std::string& settingsPath, const std::string& ownPath,
                                    const std::string& firstArgument,
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
};

inline constexpr int MinimumDuration = 5;
inline constexpr int MaximumDuration = 9999;

// The last speed index whose table value equals `speed`; -1 when none does.
int SpeedIndexOf(int speed);

// The Settings dialog's starting values. This is the one place where the configuration window
// reads the file differently from the show: a value the file does not hold leaves the show's
// setting as the project has it, but the dialog must show something, so it shows the project's
// own setting in the dialog's terms (ImageSize from Stretch and Proportional, the speed's index
// in SpeedTable, normal speed for a project speed that is not in the table).
UserSettingValues SettingsDialogValues(const ProjectSettings& project, const UserSettings& stored);

struct ReadConfigSettingsResult {
    bool Usable = false;
    UserSettingValues Values;
};

// The dialog's values from the project and, when the file is usable and exists, the file.
ReadConfigSettingsResult ReadSettingsDialogValues(const Project& project,
                                                  const UserSettingsFile& file);

// Writes the dialog's seven values to [Setting] (see WriteUserSettings). Does nothing when the
// file is not usable. Raises lv::Error naming the file when it cannot be written.
void WriteSettingsDialogValues(const UserSettingsFile& file, const UserSettingValues& values);

// When a window is built: the stored values laid over the project's settings in memory (see
// LayOverSettings), as the window's later actions (the single-picture show) use them. Nothing
// when the file is not usable.
void ApplyStoredSettings(Project& project, const UserSettingsFile& file);

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
