#pragma once
// The tier table and its loader. All conversion knowledge comes from two
// comma-separated files beside the executable:
//   vqcsname.dat  code, name, unit code          (one conversion per line)
//   vqcslope.dat  code, lowest, highest, exclusion mark, Wexels per unit
// Both are read once at start-up and never written.

#include "platform/KeyedCollection.h"
#include "platform/RuntimeError.h"
#include "tiers/clsTier.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace wexel {

inline constexpr const char* kNamesFileName = "vqcsname.dat";
inline constexpr const char* kTiersFileName = "vqcslope.dat";
// The conversion whose unit frame the window shows while none is chosen.
inline constexpr const char* kDefaultConversion = "WXE007";
// The unit codes that have a unit frame in the window.
inline constexpr const char* kUnitCodes[] = {"MSU", "MSG", "ENG"};
// The longest conversion name, in characters, that the window's Conversion
// Type list shows whole; a longer one shows cut there, whole in its tooltip.
inline constexpr int kNameShownWhole = 26;
// The most tiers a conversion may have: the tier count is 16-bit.
inline constexpr std::size_t kMaxTiers = std::numeric_limits<std::int16_t>::max();

struct Conversion {
    std::string code;
    std::string name;
    // The unit code from the names file. The queries read the unit from the
    // conversion's first tier instead, as every tier carries it.
    std::string units;
    std::vector<clsTier> tiers; // in tier-file order
    // Where the conversion and each of its tiers were read, for reports that
    // point a data file's maintainer at a line.
    int line = 0;               // in the names file
    std::vector<int> tierLines; // in the tier file, one per tier
};

using ConversionTable = KeyedCollection<Conversion>;

// The process-wide tier table, keyed by conversion name (letter case ignored),
// in names-file order. Empty until LoadDataFiles fills it; read-only to the
// rest, which only reads it.
const ConversionTable& SlopeTable();
// Replaces the table whole: the loader, and tools and tests that build one.
void setSlopeTable(ConversionTable table);

// The text without blanks around it and without one `ch` at each end: a
// field cleaned of its quotes. A view into `text`.
std::string_view StripChar(std::string_view text, std::string_view ch);

// Puts into `pieces` the pieces of `text` between occurrences of `delim` (views
// into it); an empty last piece is dropped; padded with " " items up to
// minCount. The loader reuses one vector for every line.
void SplitToCollection(std::string_view text, std::string_view delim, std::int32_t minCount,
                       std::vector<std::string_view>& pieces);

// Where a problem lies in a data file, for reports that name file and line.
struct DataFileProblem {
    std::string file; // the file name, e.g. "vqcslope.dat"
    int line = 0;     // 0: the file as a whole
    RuntimeError error;
    // A warning does not stop the load: something loads, but not as meant.
    bool warning = false;
};

// What a tier table was read from, so that an estimate can be traced back to
// it: the tier file's name, its last change and the SHA-256 of its bytes.
struct TableSource {
    std::string tierFile;
    std::string modified; // "YYYY-MM-DD HH:MM", local time
    std::string sha256;   // hexadecimal
};

// The source of SlopeTable, set with it by LoadDataFiles.
const TableSource& SlopeTableSource();

// Reads the two files of `folder` into a new table. Without `onProblem` the
// first problem is thrown as a RuntimeError; with it, each problem is handed
// over, the offending line is skipped and reading goes on (a file that cannot
// be opened ends reading), and warnings about the files' text are handed
// over too.
ConversionTable ReadDataFiles(const std::string& folder,
                              const std::function<void(const DataFileProblem&)>& onProblem = {},
                              TableSource* source = nullptr);

// Fills SlopeTable from the two files of `folder`. Throws on the first
// problem and then leaves SlopeTable as it was: no partial table is used.
void LoadDataFiles(const std::string& folder);

} // namespace wexel
