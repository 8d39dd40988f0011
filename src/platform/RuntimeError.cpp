#include "platform/RuntimeError.h"

#include <utility>

namespace wexel {

const char* errorTitle(ErrorNumber number) {
    static constexpr std::pair<ErrorNumber, const char*> kTitles[] = {
        {ErrorNumber::KeyNotFound, "Key not found"},
        {ErrorNumber::Overflow, "Overflow"},
        {ErrorNumber::OutOfMemory, "Out of memory"},
        {ErrorNumber::SubscriptOutOfRange, "Subscript out of range"},
        {ErrorNumber::DivisionByZero, "Division by zero"},
        {ErrorNumber::TypeMismatch, "Type mismatch"},
        {ErrorNumber::FileNotFound, "File not found"},
        {ErrorNumber::PathFileAccess, "Path/File access error"},
        {ErrorNumber::DuplicateKey, "Duplicate key"},
        {ErrorNumber::CannotCreateComponent, "Component cannot be created"},
    };
    for (const auto& [n, title] : kTitles) {
        if (n == number) {
            return title;
        }
    }
    return "Application-defined error";
}

void raise(ErrorNumber number, const std::string& detail) {
    std::string text = errorTitle(number);
    if (!detail.empty()) {
        text += ": ";
        text += detail;
    }
    throw RuntimeError(number, text);
}

RuntimeError outOfMemory() {
    return RuntimeError(ErrorNumber::OutOfMemory, errorTitle(ErrorNumber::OutOfMemory));
}

} // namespace wexel
