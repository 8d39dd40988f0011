#pragma once
// wexel-calc compare: two tier tables side by side, before a new one is
// installed: the conversions added, removed and renamed, the bands that
// changed, and what each capacity costs under each table.

#include "cli/Calculate.h"

#include <ostream>
#include <string>
#include <vector>

namespace wexel::cli {

// Compares the tables of `oldFolder` and `newFolder` at `capacities` (none:
// the band edges of either table). Exit status: 0 every capacity converts
// the same, 1 something differs, 2 a table does not load or a capacity is
// refused.
int compareTablesCommand(const std::string& oldFolder, const std::string& newFolder,
                         const std::vector<std::string>& capacities, Format format,
                         std::ostream& out, std::ostream& err);

} // namespace wexel::cli
