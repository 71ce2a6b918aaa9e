#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "project/project.h"

namespace lv {

// The user settings file beside a saver. Section [Setting] holds the user's choices and the
// configuration window's current picture (Index); section [Files] one key with an empty value per
// picture the user unticked ("3="). The show lays the file over the project's settings when it
// starts; the configuration window shows and edits it. Both read it here, by one rule, so they
// never disagree about what a file says.

inline constexpr int ImageSizeChoices = 3;  // 0 own size, 1 stretch full, 2 stretch keeping shape
inline constexpr int ImageModeChoices = 4;  // 0 all random, 1 all in order, 2 ticked random, 3 one

// What a user settings file holds, or what to write into one. A value is present only where the
// file holds one the configuration window could have written: an ImageSize, ImageMode or Speed
// outside its choices, a Duration below one second, a negative Index and anything that is not a
// number read as missing, so a damaged file never reaches the show or the dialog.
struct UserSettings {
    std::optional<int> ImageSize;
    std::optional<int> ImageMode;
    std::optional<int> SpeedIndex;  // key Speed: an index into SpeedTable
    std::optional<bool> Sound;
    std::optional<bool> Music;
    std::optional<bool> Transition;
    std::optional<int> Duration;  // seconds per picture
    std::optional<int> Index;     // the configuration window's current picture
    // [Files]. Read: the keys that are plain decimal numbers, in file order, whether or not the
    // project has that many pictures. Written: a list replaces the whole section; nothing leaves
    // the section as it is.
    std::optional<std::vector<size_t>> UntickedPictures;
};

// Reads the file at `path`. Nothing when there is no file there (or the path is empty). A file
// that is there but cannot be read (no read permission, a folder or a pipe in its place) raises
// lv::Error naming it and saying why; each caller decides what the run does without it.
std::optional<UserSettings> ReadUserSettings(const std::string& path);

// Writes the values that are present, keeping every other line of the file, in one atomic
// rewrite: [Setting] ImageSize, ImageMode, Speed, Sound, Music, Transition, Duration and Index
// in this order (Booleans as "1" and "0"), then [Files] erased and rewritten with one key per
// unticked picture when UntickedPictures is present. Creates the file when there is none. Raises
// lv::Error naming the file when it cannot be read or written.
void WriteUserSettings(const std::string& path, const UserSettings& settings);

// Lays the stored values over the project's settings: each present value replaces the project's
// (Speed through SpeedTable; ImageSize sets Stretch and Proportional); a missing one leaves the
// project's setting as it is.
void LayOverSettings(ProjectSettings& settings, const UserSettings& stored);

// What a show does with the file when it starts, after every picture has been enabled:
// LayOverSettings, then the picture list narrowed by the resulting ShowImageMode. Mode 3 keeps
// only the picture at Index (picture 0 when Index is missing or beyond the list) if it is on;
// mode 2 turns off every unticked picture; other modes keep the list.
void ApplyUserSettings(Project& project, const UserSettings& stored);

}  // namespace lv
