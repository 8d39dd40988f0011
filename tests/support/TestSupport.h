#pragma once
// What the tests share: a scratch folder and a tier table put in place.

#include "tiers/DataFiles.h"

#ifdef _WIN32
#include <random>
#else
#include <grp.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace wexel::testing {

// What joins a folder and a file name in the paths the program shows.
#ifdef _WIN32
inline const std::string kPathSeparator = "\\";
#else
inline const std::string kPathSeparator = "/";
#endif

// A fresh folder below the system's temporary folder, removed afterwards.
class TempFolder {
public:
    // mkdtemp makes it ours alone: a name another user made first is never taken.
#ifdef _WIN32
    // On Windows a new folder is the user's alone; a name already taken is
    // not reused, a random one is tried instead.
    TempFolder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path name =
                std::filesystem::temp_directory_path() / ("wexel-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(name)) {
                path_ = name;
                return;
            }
        }
        throw std::runtime_error("no temporary folder could be made");
    }
#else
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "wexel-test-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) {
            throw std::filesystem::filesystem_error(
                "mkdtemp", name, std::error_code(errno, std::generic_category()));
        }
        path_ = name;
    }
#endif
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const {
        return path_.string();
    }
    std::string file(const std::string& name) const {
        return (path_ / name).string();
    }
    // Writes the file as written a minute ago, as data files are: the reader
    // waits for a file written this very moment to settle.
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        std::filesystem::last_write_time(
            path_ / name, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
    }
    // The two data files.
    void writeData(const std::string& names, const std::string& tiers) const {
        write(kNamesFileName, names);
        write(kTiersFileName, tiers);
    }

private:
    std::filesystem::path path_;
};

// Root may read any file: a check that a file closed to its reader is
// refused runs, as root, in a child process that has become the user nobody.
// Called in that child; returns false when the change of user failed.
#ifndef _WIN32
inline bool dropRootPrivileges() {
    constexpr uid_t kNobody = 65534;
    return ::geteuid() != 0 ||
           (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
}
#endif

// Puts the conversions into SlopeTable for as long as it lives: each a name,
// a unit code and its tiers (MinCap, Slope).
class ScopedTable {
public:
    using Tiers = std::vector<std::pair<std::int32_t, double>>;
    struct Entry {
        std::string name;
        Tiers tiers;
        std::string units = "MSU";
    };
    explicit ScopedTable(const std::vector<Entry>& conversions) {
        ConversionTable table;
        for (const Entry& e : conversions) {
            Conversion c{e.name, e.name, e.units, {}, 0, {}};
            for (const auto& [minCap, slope] : e.tiers) {
                clsTier t;
                t.Define(minCap, 0, slope);
                t.setUnits(e.units);
                t.setSlopeName(e.name);
                c.tiers.push_back(t);
            }
            table.add(c, e.name);
        }
        setSlopeTable(std::move(table));
    }
    ~ScopedTable() { setSlopeTable(ConversionTable()); }
    ScopedTable(const ScopedTable&) = delete;
    ScopedTable& operator=(const ScopedTable&) = delete;
};

// The made-up table of the worked examples: bands 1-3, 4-9, 10 and up.
inline const ScopedTable::Tiers kExample = {{1, 1.0}, {4, 0.5}, {10, 0.25}};

} // namespace wexel::testing
