#include "platform/RuntimeError.h"

namespace wexel {

const char* errorTitle(ErrorNumber number) {
    switch (number) {
    case ErrorNumber::KeyNotFound:
        return "Key not found";
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::OutOfMemory:
        return "Out of memory";
    case ErrorNumber::SubscriptOutOfRange:
        return "Subscript out of range";
    case ErrorNumber::DivisionByZero:
        return "Division by zero";
    case ErrorNumber::TypeMismatch:
        return "Type mismatch";
    case ErrorNumber::FileNotFound:
        return "File not found";
    case ErrorNumber::PathFileAccess:
        return "Path/File access error";
    case ErrorNumber::DuplicateKey:
        return "Duplicate key";
    case ErrorNumber::CannotCreateComponent:
        return "Component cannot be created";
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
