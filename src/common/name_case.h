#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lv {

// Packages made on Windows name their files with the letter case of whoever typed the name: a
// file list may say "Harbour.LVP" for the packed "harbour.lvp". Windows ignores the difference;
// these look-ups do the same once the exact name is absent.
//
// Letters are compared without case in ASCII and in the Latin-1 range of Windows-1252 (the
// system's 8-bit text), "É" (0xC9) matching "é" (0xE9). Bytes of multi-byte UTF-8 characters
// never change, so two different UTF-8 names never compare equal.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The element of `names` equal to `wanted`, else the first one equal ignoring case; nullptr when
// there is none. Names that differ only in case stay apart: each is found by its own spelling.
const std::string* FindNameIgnoringCase(const std::vector<std::string>& names,
                                        std::string_view wanted);

// The path of the file called `name` in `folder`: folder/name when something exists there, else
// folder/ + the entry of the folder equal to `name` ignoring case (the first in byte order when
// several are), else folder/name. An empty folder gives `name` unchanged. Never raises: a folder
// that cannot be listed has no entries.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

}  // namespace lv
