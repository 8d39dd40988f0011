#pragma once
// The data-file checker: loads both files as the window does but collects
// every problem instead of stopping at the first, and adds warnings for what
// loads but will hurt.

#include "tiers/DataFiles.h"

#include <ostream>
#include <string>
#include <vector>

namespace wexel::cli {

// Every problem of the data files in `folder`, names file first, each file
// in line order (a warning about a whole file after its lines).
std::vector<DataFileProblem> checkDataFiles(const std::string& folder);

// The check command: each finding on `out` as "file:line: error|warning: text"
// (or JSON lines), the count on `err`. Returns the exit status.
int checkCommand(const std::string& folder, bool json, std::ostream& out, std::ostream& err);

} // namespace wexel::cli
