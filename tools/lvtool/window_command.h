#pragma once

// The window command. It is the one command that needs the Qt front end, so it is a program of
// its own, lvtool-window, which `lvtool window` runs: no other command links Qt, SDL or the
// crash reporter's libraries.
namespace lvtool::window {

inline constexpr const char* ProgramName = "lvtool-window";
inline constexpr const char* Usage = "FILE.lvu NAME [--project SAVER] [--png OUT.png] [--dump]";
inline constexpr const char* Summary =
    "build one window of a form definition file offscreen, as the configuration mode does";
inline constexpr const char* Details =
    "With --project the saver's package is unpacked into a scratch folder and its project\n"
    "fills the placeholders, the thumbnail lists and the previews. --png saves a picture of\n"
    "the window; --dump prints a JSON array: the window, then every component in creation\n"
    "order with its name, class, place relative to the component that contains it, whether\n"
    "it is visible in its window after the Tag visibility ran, and the text it shows.";

}  // namespace lvtool::window
