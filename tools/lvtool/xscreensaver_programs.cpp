#include "xscreensaver_programs.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "common/error.h"

namespace lvtool {
namespace {

constexpr std::string_view ResourceName = "programs:";
constexpr std::string_view SelectedName = "selected:";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A line's text without its line feed.
std::string_view Content(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    return text;
}

bool Continues(std::string_view line) {
    const std::string_view content = Content(line);
    return !content.empty() && content.back() == '\\';
}

// Where the line starting at `begin` ends: just past its line feed, or at the end of the text.
size_t LineEnd(const std::string& text, size_t begin) {
    const size_t feed = text.find('\n', begin);
    return feed == std::string::npos ? text.size() : feed + 1;
}

// The label of an entry ("- GL:  \"Label\" command"), or nothing.
std::optional<std::string> LabelOf(std::string_view entry) {
    if (!entry.empty() && entry.front() == '-') entry = TrimBlanks(entry.substr(1));
    // A visual name ("GL:") is one word ending in a colon before the label or command.
    const size_t word = std::min(entry.find_first_of(" \t\""), entry.size());
    if (word > 0 && entry[word - 1] == ':') entry = TrimBlanks(entry.substr(word));
    if (entry.empty() || entry.front() != '"') return std::nullopt;
    const size_t close = entry.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    return std::string(entry.substr(1, close - 1));
}

// The command of an entry, after its label.
std::string CommandOf(std::string_view entry) {
    const size_t open = entry.find('"');
    const size_t close = open == std::string_view::npos ? open : entry.find('"', open + 1);
    return std::string(close == std::string_view::npos ? entry
                                                       : TrimBlanks(entry.substr(close + 1)));
}

// One entry line in the layout of the daemon's own file.
std::string EntryLine(const std::string& label, const std::string& command, bool continues) {
    return "\t\t\t\t\"" + label + "\" " + command + "\t\t\t    \\n" + (continues ? "\\" : "") +
           "\n";
}

}  // namespace

XscreensaverPrograms::XscreensaverPrograms(std::string text, const std::string& fileName)
    : text_(std::move(text)), header_(std::string::npos) {
    for (size_t begin = 0; begin < text_.size();) {
        size_t end = LineEnd(text_, begin);
        const std::string_view line(text_.data() + begin, end - begin);
        const size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line.substr(first).starts_with(ResourceName)) {
            header_ = begin;
            break;
        }
        // A resource continued over several lines is one resource: skip its other lines.
        while (Continues(std::string_view(text_.data() + begin, end - begin)) &&
               end < text_.size()) {
            begin = end;
            end = LineEnd(text_, begin);
        }
        begin = end;
    }
    if (header_ == std::string::npos)
        throw lv::Error(
            "holds no programs: list; choose any screen saver in xscreensaver-settings "
            "once, so that it writes the whole list, then try again",
            fileName);
}

std::vector<XscreensaverPrograms::Line> XscreensaverPrograms::ResourceLines() const {
    std::vector<Line> lines;
    size_t begin = header_;
    while (true) {
        const size_t end = LineEnd(text_, begin);
        lines.push_back({begin, end});
        if (!Continues(std::string_view(text_.data() + begin, end - begin)) || end >= text_.size())
            break;
        begin = end;
    }
    return lines;
}

std::vector<XscreensaverPrograms::Entry> XscreensaverPrograms::Entries(
    const std::vector<Line>& lines) const {
    std::vector<Entry> entries;
    Entry current{0, 0, {}, true};
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string_view content =
            Content(std::string_view(text_.data() + lines[i].begin, lines[i].end - lines[i].begin));
        if (i == 0) content = content.substr(content.find(ResourceName) + ResourceName.size());
        if (!content.empty() && content.back() == '\\') content.remove_suffix(1);
        for (size_t start = 0; start <= content.size();) {
            size_t separator = content.find("\\n", start);
            const bool ends = separator != std::string_view::npos;
            if (!ends) separator = content.size();
            const std::string_view piece = TrimBlanks(content.substr(start, separator - start));
            if (!piece.empty()) {
                // The daemon's settings program wraps a long entry over lines at a blank.
                if (current.Text.empty())
                    current.FirstLine = i;
                else
                    current.Text += ' ';
                current.Text += piece;
                current.LastLine = i;
            }
            if (ends && !current.Text.empty()) {
                entries.push_back(current);
                current = Entry{0, 0, {}, true};
            }
            start = separator + 2;
        }
    }
    if (!current.Text.empty()) entries.push_back(current);
    // An entry sharing a line with another, or with the resource's name, cannot be edited by
    // whole lines.
    for (size_t k = 0; k < entries.size(); ++k)
        entries[k].OwnsItsLines =
            entries[k].FirstLine > 0 &&
            (k == 0 || entries[k - 1].LastLine != entries[k].FirstLine) &&
            (k + 1 == entries.size() || entries[k + 1].FirstLine != entries[k].LastLine);
    return entries;
}

std::optional<size_t> XscreensaverPrograms::FindLabel(const std::vector<Entry>& entries,
                                                      const std::string& label) {
    for (size_t k = 0; k < entries.size(); ++k)
        if (entries[k].OwnsItsLines && LabelOf(entries[k].Text) == label) return k;
    return std::nullopt;
}

void XscreensaverPrograms::Put(const std::string& label, const std::string& command) {
    const std::vector<Line> lines = ResourceLines();
    const std::vector<Entry> entries = Entries(lines);
    if (const auto found = FindLabel(entries, label)) {
        const Line& first = lines[entries[*found].FirstLine];
        const Line& last = lines[entries[*found].LastLine];
        const bool continues =
            Continues(std::string_view(text_.data() + last.begin, last.end - last.begin));
        text_.replace(first.begin, last.end - first.begin, EntryLine(label, command, continues));
        return;
    }
    const Line& last = lines.back();
    const std::string_view lastContent =
        Content(std::string_view(text_.data() + last.begin, last.end - last.begin));
    // The header line's entries start after the resource's name.
    const std::string_view lastEntry = TrimBlanks(
        lines.size() == 1 ? lastContent.substr(lastContent.find(ResourceName) + ResourceName.size())
                          : lastContent);
    if (lastEntry.empty() && lines.size() > 1) {
        // The daemon's layout: the list ends with an empty line; the entry goes before it.
        text_.insert(last.begin, EntryLine(label, command, true));
        return;
    }
    // The last line holds an entry or is the header itself: continue it, then the new entry.
    std::string continued(lastContent);
    if (!lastEntry.empty() && !lastEntry.ends_with("\\n")) continued += " \\n";
    continued += "\\\n" + EntryLine(label, command, false);
    text_.replace(last.begin, last.end - last.begin, continued);
}

std::optional<std::string> XscreensaverPrograms::Remove(const std::string& label) {
    const std::vector<Line> lines = ResourceLines();
    const std::vector<Entry> entries = Entries(lines);
    const auto found = FindLabel(entries, label);
    if (!found) return std::nullopt;
    const Entry& entry = entries[*found];
    const Line& first = lines[entry.FirstLine];
    const Line& last = lines[entry.LastLine];
    const std::string_view lastText(text_.data() + last.begin, last.end - last.begin);
    if (!Continues(lastText)) {
        // The list's last lines: the line before them ends the list now.
        const Line& before = lines[entry.FirstLine - 1];
        const std::string_view beforeText(text_.data() + before.begin, before.end - before.begin);
        const size_t backslash = before.begin + Content(beforeText).size() - 1;
        text_.erase(first.begin, last.end - first.begin);
        text_.erase(backslash, 1);
    } else {
        text_.erase(first.begin, last.end - first.begin);
    }
    KeepSelectedHack(*found);
    return CommandOf(entry.Text);
}

void XscreensaverPrograms::KeepSelectedHack(size_t removedEntry) {
    // "selected:" is the chosen hack's position in the list; the hacks after the removed one
    // have moved up by one.
    for (size_t begin = 0; begin < text_.size();) {
        const size_t end = LineEnd(text_, begin);
        const std::string_view line(text_.data() + begin, end - begin);
        const size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line.substr(first).starts_with(SelectedName)) {
            const size_t digits = line.find_first_not_of(" \t", first + SelectedName.size());
            if (digits == std::string_view::npos) return;
            size_t length = 0;
            while (digits + length < line.size() &&
                   std::isdigit(static_cast<unsigned char>(line[digits + length])))
                ++length;
            if (length == 0 || length > 9) return;  // -1 (none) or not a position
            const size_t selected = std::stoul(std::string(line.substr(digits, length)));
            if (selected > removedEntry)
                text_.replace(begin + digits, length, std::to_string(selected - 1));
            return;
        }
        begin = end;
    }
}

void CheckHackLabel(const std::string& label) {
    if (TrimBlanks(label).empty()) throw lv::Error("the label is empty");
    for (const char c : label)
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            throw lv::Error("the label '" + label +
                            "' holds a quote, a backslash or a control character");
}

std::string HackCommand(const std::string& saverPath) {
    const bool plain = std::all_of(saverPath.begin(), saverPath.end(), [](unsigned char c) {
        return std::isalnum(c) ||
               std::string_view("/._+-,@%:").find(static_cast<char>(c)) != std::string_view::npos;
    });
    std::string path;
    if (plain) {
        path = saverPath;
    } else {
        path = "'";
        for (const char c : saverPath) path += c == '\'' ? std::string("'\\''") : std::string(1, c);
        path += "'";
    }
    return path + " --root";
}

std::string HackCommandProgram(const std::string& command) {
    // The shell's rules for the quoting HackCommand writes: single quotes, and a backslash
    // outside them taking the next character as it is.
    std::string program;
    bool quoted = false;
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == '\'') {
            quoted = !quoted;
        } else if (!quoted && c == '\\' && i + 1 < command.size()) {
            program += command[++i];
        } else if (!quoted && IsBlank(c)) {
            if (!program.empty()) break;
        } else {
            program += c;
        }
    }
    return program;
}

}  // namespace lvtool
