#pragma once

#include <string>

namespace lvtool {

// The files install-hack and uninstall-hack work on.

// ~/.xscreensaver, the daemon's per-user preferences.
std::string XscreensaverFilePath();

// Where installed savers are copied: $XDG_DATA_HOME/lorvane/savers/ (ends in "/").
std::string InstalledSaversFolder();

// The text of ~/.xscreensaver. When there is none, raises lv::Error saying how to make one:
// the user's file is written by the daemon's own settings program, never invented here.
std::string ReadXscreensaverFile();

// Replaces ~/.xscreensaver (or the file a link there points to) in one rename, keeping its
// permissions, so the daemon, which rereads the file when it changes, never sees half of it.
void WriteXscreensaverFile(const std::string& text);

// Whether a saver lies in a folder the system's packages own (/usr, /opt), where it is used in
// place instead of copied.
bool IsInSystemFolder(const std::string& canonicalPath);

// Copies a file under a temporary name and renames it to `target`, made executable.
void CopyProgramAtomically(const std::string& source, const std::string& target);

}  // namespace lvtool
