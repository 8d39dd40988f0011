#pragma once
// Numbered run-time errors: the one error type of the program. Every failure a
// user can meet carries a number from the catalogue below and a description
// that says what went wrong and where.

#include <stdexcept>
#include <string>

namespace wexel {

// The catalogue. The numbers follow the classic BASIC run-time numbering, so
// an error box shows the numbers a support desk for this tool knows.
enum class ErrorNumber : int {
    KeyNotFound = 5,         // a key that is not in a keyed collection
    Overflow = 6,            // a value outside its type's range, or not a number
    OutOfMemory = 7,         //
    SubscriptOutOfRange = 9, // an item beyond the end of a collection (a missing field)
    DivisionByZero = 11,     //
    TypeMismatch = 13,       // a text that does not convert to a number
    FileNotFound = 53,       //
    PathFileAccess = 75,     // a data file that is a folder or cannot be read
    DuplicateKey = 457,      // a key that a keyed collection already holds
    CannotCreateComponent = 429,
};

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorNumber number, const std::string& description)
        : RuntimeError(static_cast<int>(number), description) {}
    RuntimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number), description_(description) {}

    int number() const noexcept { return number_; }
    // The whole description: what() would end it at a NUL byte of a quoted text.
    const std::string& description() const noexcept { return description_; }

private:
    int number_;
    std::string description_;
};

// The short title of an error number ("Overflow"), used to begin descriptions.
const char* errorTitle(ErrorNumber number);

// Throws RuntimeError(number, errorTitle(number) + ": " + detail), or the bare
// title when detail is empty.
[[noreturn]] void raise(ErrorNumber number, const std::string& detail = {});

// What an exhausted memory (std::bad_alloc) is reported as.
RuntimeError outOfMemory();

} // namespace wexel
