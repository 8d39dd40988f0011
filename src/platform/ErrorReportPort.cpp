#include "platform/ErrorReportPort.h"

#include <iostream>

namespace wexel {

namespace {

class StandardErrorReporter : public ErrorReportPort {
public:
    void reportError(const std::string& sNumber, const std::string& sDescription,
                     const std::string& sLocation, const std::string& sMessage) override {
        std::cerr << "error " << sNumber << " in " << sLocation << ": " << sDescription;
        if (!sMessage.empty()) {
            std::cerr << " (" << sMessage << ")";
        }
        std::cerr << '\n';
    }
};

ErrorReportPort*& installed() {
    static ErrorReportPort* reporter = nullptr;
    return reporter;
}

} // namespace

void setErrorReporter(ErrorReportPort* reporter) {
    installed() = reporter;
}

ErrorReportPort& errorReporter() {
    static StandardErrorReporter fallback;
    ErrorReportPort* reporter = installed();
    return reporter != nullptr ? *reporter : fallback;
}

void reportError(const RuntimeError& error, const std::string& sLocation,
                 const std::string& sMessage) {
    errorReporter().reportError(std::to_string(error.number()), error.description(), sLocation,
                                sMessage);
}

} // namespace wexel
