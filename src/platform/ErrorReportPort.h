#pragma once
// Where caught run-time errors are reported. The core's error handlers call
// reportError(); the application installs its error box (ReportError) here.
// Without one, reports go to standard error.

#include "platform/RuntimeError.h"

#include <string>

namespace wexel {

class ErrorReportPort {
public:
    virtual ~ErrorReportPort() = default;
    virtual void reportError(const std::string& sNumber, const std::string& sDescription,
                             const std::string& sLocation, const std::string& sMessage) = 0;
};

void setErrorReporter(ErrorReportPort* reporter);
ErrorReportPort& errorReporter();

// Reports a caught error with its number as decimal text and its description.
void reportError(const RuntimeError& error, const std::string& sLocation,
                 const std::string& sMessage);

} // namespace wexel
