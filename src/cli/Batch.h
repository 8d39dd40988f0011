#pragma once
// Batch estimates: capacities in, one line each, Wexels out as CSV or JSON
// lines. Streams: one line is held at a time, whatever the input's length.

#include "platform/Ports.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

namespace wexel::cli {

struct BatchResult {
    std::uint64_t lines = 0;   // lines read
    std::uint64_t written = 0; // results written
    std::uint64_t bad = 0;     // lines reported and skipped
};

// Each line of `in` (LineReader's lines) is a capacity or "label,capacity"
// (CSV, so a label may be quoted); a line longer than kMaxLineLength is bad. Writes the header
// "label,capacity,wexels" and one line per good input line to `out` (or one JSON object per line,
// without a header); a bad line is reported on `err` with its line number and skipped. Blank lines,
// and a first line that is a header ("capacity" or "label,capacity"), are
// skipped silently. Messages and error reports are taken from `capture`.
BatchResult runBatch(const std::string& conversionName, std::istream& in, std::ostream& out,
                     std::ostream& err, bool json, Capture& capture);

// The batch command: reads the file at `path` ("-" for `in`), writes the results to `out`
// and reports to `err`. Returns the exit status.
int batchCommand(const std::string& conversionName, const std::string& path, std::istream& in,
                 std::ostream& out, std::ostream& err, bool json, Capture& capture);

} // namespace wexel::cli
