#pragma once

#include <stdexcept>
#include <string>

namespace lv {

// Every failure the system raises. `Message()` is the system's own text ("Incorrect Project
// File!", "Read beyond end of file", ...), which callers and tests compare; `what()` adds the
// file it concerns, so a user sees which file is at fault.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message, const std::string& file = {})
        : std::runtime_error(file.empty() ? message : file + ": " + message),
          message_(message), file_(file) {}

    const std::string& Message() const { return message_; }
    const std::string& File() const { return file_; }

private:
    std::string message_;
    std::string file_;
};

// A read that could not deliver all requested bytes.
class ReadError : public Error {
public:
    explicit ReadError(const std::string& file = {}) : Error("Read beyond end of file", file) {}
};

// A file whose content breaks its format (wrong signature, impossible counts or lengths).
class FormatError : public Error {
public:
    using Error::Error;
};

// Floating-point division by zero is raised, never turned into an infinity.
class DivisionByZeroError : public Error {
public:
    DivisionByZeroError() : Error("Floating point division by zero") {}
};

}  // namespace lv
