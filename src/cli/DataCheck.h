#pragma once
// The data-file checker: loads both files as the window does but collects
// every problem instead of stopping at the first, and adds warnings for what
// loads but will hurt.

#include <ostream>
#include <string>
#include <vector>

namespace wexel::cli {

struct Finding {
    enum class Severity { Error, Warning };
    std::string file; // the file name, e.g. "vqcslope.dat"
    int line = 0;     // 0: the file as a whole
    Severity severity = Severity::Error;
    std::string text;
    int number = 0; // an error's number from the catalogue; 0 for a warning
};

// Every problem of the data files in `folder`, names file first, each file
// in line order (a warning about a whole file after its lines).
std::vector<Finding> checkDataFiles(const std::string& folder);

// The check command: each finding on `out` as "file:line: error|warning: text"
// (or JSON lines), the count on `err`. Returns the exit status.
int checkCommand(const std::string& folder, bool json, std::ostream& out, std::ostream& err);

} // namespace wexel::cli
