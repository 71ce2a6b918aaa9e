#pragma once

#include <string>

#include "saver/display_size.h"

namespace lv {

class Project;
struct ProjectSettings;

// The project settings a show reads, copied when the show starts (after the user's own
// settings have been laid over the project's).
struct ShowSettings {
    bool Stretch = true;
    bool Proportional = false;
    bool AutoAdvance = true;  // [Default] Random: pictures change by time only when true
    int Duration = 30;        // seconds
    int Speed = 100;          // percent, 100 = normal
    int ShowImageMode = 0;
    bool Transition = true;
    bool Sound = true;
    bool Music = true;
    std::string MusicFile;
    int MusicMode = 0;

    DisplayRule Display() const { return {Stretch, Proportional}; }
};

ShowSettings ShowSettingsFromProject(const ProjectSettings& setting);

// The project that plays a single picture full screen from the configuration window: only
// `file`, enabled; Stretch, Proportional and Speed from `project`; sound on, music off; every
// other setting as in a new project.
Project MakeSinglePictureProject(const Project& project, const std::string& file);

// Every picture of the project enabled, as a show starts before the user's settings narrow it.
void EnableAllPictures(Project& project);

}  // namespace lv
