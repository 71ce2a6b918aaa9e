#include "gui/forms/form_definitions.h"

#include "common/ascii_case.h"
#include "common/error.h"
#include "common/file_util.h"
#include "gui/forms/line_text.h"

namespace lv {
namespace {

// Walks the lines of one definition file front to back, one line at a time, so a file of many
// lines costs no index of them. Lines end in CR LF, a lone CR or a lone LF; a final line break
// adds no empty line. Every failure names the file and a 1-based line.
class FormFileReader {
public:
    FormFileReader(std::string_view content, const std::string& fileName)
        : content_(content), fileName_(fileName) {}

    [[noreturn]] void Fail(size_t index, const std::string& message) const {
        throw Error("line " + std::to_string(index + 1) + ": " + message, fileName_);
    }

    // The count on the next line; `what` names it in the error.
    size_t ReadCount(const char* what, bool allowNegative = false) {
        std::string_view line;
        if (!NextLine(line))
            Fail(lineIndex_, std::string("expected ") + what + ", found end of file");
        int32_t value = 0;
        if (!ParseDecimalInteger(line, value) || (value < 0 && !allowNegative))
            Fail(lineIndex_ - 1, std::string("expected ") + what + ", found '" +
                                     std::string(line.substr(0, 40)) + "'");
        return value < 0 ? 0 : static_cast<size_t>(value);
    }

    // Hands the next `count` lines to `take`; a file that ends before them is an error on the
    // count's line.
    template <typename Take>
    void TakeLines(size_t count, const char* what, Take&& take) {
        const size_t countLine = lineIndex_ - 1;
        for (size_t i = 0; i < count; ++i) {
            std::string_view line;
            if (!NextLine(line))
                Fail(countLine,
                     "expected " + std::to_string(count) + " " + what + " lines, found " +
                         (i == 0 ? std::string("end of file") : "only " + std::to_string(i)));
            take(line);
        }
    }

    size_t NextLineIndex() const { return lineIndex_; }

private:
    bool NextLine(std::string_view& line) {
        if (pos_ >= content_.size()) return false;
        size_t end = pos_;
        while (end < content_.size() && content_[end] != '\r' && content_[end] != '\n') ++end;
        line = content_.substr(pos_, end - pos_);
        pos_ = end;
        if (pos_ < content_.size()) {
            if (content_[pos_] == '\r' && pos_ + 1 < content_.size() && content_[pos_ + 1] == '\n')
                ++pos_;
            ++pos_;
        }
        ++lineIndex_;
        return true;
    }

    std::string_view content_;
    const std::string& fileName_;
    size_t pos_ = 0;
    size_t lineIndex_ = 0;  // 0-based index of the next line
};

}  // namespace

std::string FormDefinition::Description() const {
    std::string text;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += Lines[i];
    }
    return text;
}

std::string FormNameFromHeader(std::string_view headerLine) {
    const std::string_view header = TrimBlanks(headerLine);
    const size_t colon = header.find(':');
    if (colon == std::string::npos) return {};
    size_t keywordEnd = 0;
    while (keywordEnd<colon&& static_cast<unsigned char>(header[keywordEnd])> ' ') ++keywordEnd;
    return std::string(TrimBlanks(header.substr(keywordEnd, colon - keywordEnd)));
}

void FormDefinitions::LoadFromFile(const std::string& path) {
    forms_.clear();
    fileName_ = path;
    LoadFromText(ReadFileBytes(path), path);
}

void FormDefinitions::LoadFromText(std::string_view content, const std::string& fileName) {
    forms_.clear();
    fileName_ = fileName;
    // A saver without a configuration window may carry an empty file: no definitions, so its
    // show still runs and only the configuration fails, naming the missing "MainWindow".
    if (content.find_first_not_of(" \t\r\n") == std::string_view::npos) return;
    FormFileReader reader(content, fileName);
    // A form count of 0 or below means a file without definitions.
    const size_t formCount = reader.ReadCount("the number of forms", true);
    for (size_t record = 0; record < formCount; ++record) {
        FormDefinition form;
        const size_t descriptionLength = reader.ReadCount("the description's line count");
        form.FirstLine = static_cast<int>(reader.NextLineIndex()) + 1;
        reader.TakeLines(descriptionLength, "description",
                         [&](std::string_view line) { form.Lines.emplace_back(line); });

        const size_t bindingLength = reader.ReadCount("the binding table's line count");
        const int bindingFirstLine = static_cast<int>(reader.NextLineIndex()) + 1;
        std::string bindings;
        bool first = true;
        // An empty line stands for a parameter of one space, so no parameter is ever empty.
        reader.TakeLines(bindingLength, "binding table", [&](std::string_view line) {
            if (!first) bindings += "\r\n";
            first = false;
            bindings += line.empty() ? std::string_view(" ") : line;
        });

        const size_t trailerLength = reader.ReadCount("the trailer's line count");
        reader.TakeLines(trailerLength, "trailer", [](std::string_view) {});

        form.Name = form.Lines.empty() ? std::string() : FormNameFromHeader(form.Lines[0]);
        form.Actions.LoadBindings(bindings, fileName, bindingFirstLine);
        forms_.push_back(std::move(form));
    }
}

const FormDefinition* FormDefinitions::FindForm(std::string_view name) const {
    for (const auto& form : forms_)
        if (EqualsIgnoreCase(form.Name, name)) return &form;
    return nullptr;
}

const FormDefinition& FormDefinitions::RequireForm(std::string_view name) const {
    if (const FormDefinition* form = FindForm(name)) return *form;
    throw Error("no form definition named \"" + std::string(name) + "\"", fileName_);
}

}  // namespace lv
