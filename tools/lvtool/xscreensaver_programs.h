#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lvtool {

// The `programs:` list of an xscreensaver preferences file (~/.xscreensaver), edited one entry
// at a time. The list is one resource continued over many lines, each line but the last ending
// in a backslash; the daemon's own file writes one hack per line, each ending in "\n" and the
// backslash, and ends the list with an empty line. An entry is an optional "-" (a hack that is
// off), an optional visual such as "GL:", an optional quoted label and the command:
//
//   -  GL:   superquadrics --root
//            "Sky show" /home/me/.local/share/lorvane/savers/Sky.scr --root
//
// Only the lines of the entry added, replaced or removed change; every other byte of the file,
// comments included, stays as it was.
class XscreensaverPrograms {
public:
    // Raises lv::Error naming `fileName` when the text has no programs: resource: without it
    // the daemon uses the system's list, which an added entry would silently replace.
    XscreensaverPrograms(std::string text, const std::string& fileName);

    // Replaces the entry with this label in place, or adds one at the end of the list (the
    // daemon refers to its chosen hack by its position, so the others keep theirs).
    void Put(const std::string& label, const std::string& command);

    // Removes the entry with this label; its command, or nothing when there is none. A chosen
    // hack ("selected:") further down the list stays chosen.
    std::optional<std::string> Remove(const std::string& label);

    const std::string& Text() const { return text_; }

private:
    struct Line {
        size_t begin;  // offset of the line in text_
        size_t end;    // offset just past its line feed (or the end of the text)
    };
    // One hack of the list: the lines it spans and its text without continuations.
    struct Entry {
        size_t FirstLine;
        size_t LastLine;
        std::string Text;
        bool OwnsItsLines;  // no other entry shares its lines
    };
    std::vector<Line> ResourceLines() const;
    std::vector<Entry> Entries(const std::vector<Line>& lines) const;
    static std::optional<size_t> FindLabel(const std::vector<Entry>& entries,
                                           const std::string& label);
    void KeepSelectedHack(size_t removedEntry);

    std::string text_;
    size_t header_;  // offset of the line that starts the resource
};

// The label as it stands in an entry; raises lv::Error when it is empty or holds a quote, a
// backslash or a control character, which the daemon's list cannot carry.
void CheckHackLabel(const std::string& label);

// The command that runs `saverPath` on the daemon's screen: the path as it is when it holds
// only plain characters, else in single quotes (the daemon then runs it through the shell).
std::string HackCommand(const std::string& saverPath);

// The program a command runs: its first word, without the quotes HackCommand adds.
std::string HackCommandProgram(const std::string& command);

}  // namespace lvtool
