#include "saver/show_settings.h"

#include "project/project.h"

namespace lv {

ShowSettings ShowSettingsFromProject(const ProjectSettings& setting) {
    ShowSettings show;
    show.Stretch = setting.Stretch;
    show.Proportional = setting.Proportional;
    show.AutoAdvance = setting.Random;
    show.Duration = setting.Duration;
    show.Speed = setting.Speed;
    show.ShowImageMode = setting.ShowImageMode;
    show.Transition = setting.Transition;
    show.Sound = setting.Sound;
    show.Music = setting.Music;
    show.MusicFile = setting.MusicFile;
    show.MusicMode = setting.MusicMode;
    return show;
}

Project MakeSinglePictureProject(const Project& project, const std::string& file) {
    Project single;
    single.FileList.Files = {file};
    single.FileList.Enabled = {"TRUE"};
    single.Setting.Stretch = project.Setting.Stretch;
    single.Setting.Proportional = project.Setting.Proportional;
    single.Setting.Speed = project.Setting.Speed;
    single.Setting.Sound = true;
    single.Setting.Music = false;
    return single;
}

void EnableAllPictures(Project& project) {
    project.FileList.Enabled.assign(project.FileList.Files.size(), "TRUE");
}

}  // namespace lv
