// The loader on arbitrary bytes: the input is split at its first NUL byte
// (or in the middle) into the names file and the tier file.
#include "platform/RuntimeError.h"
#include "tiers/DataFiles.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& folder() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() /
                 ("wexel-fuzz-loader-" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return path;
}

void write(const std::string& name, std::string_view bytes) {
    {
        std::ofstream out(folder() / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // As written a while ago: the reader waits for a file written this very moment.
    std::filesystem::last_write_time(
        folder() / name, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t cut = input.find('\0');
    if (cut == std::string_view::npos) {
        cut = size / 2;
    }
    write(wexel::kNamesFileName, input.substr(0, cut));
    write(wexel::kTiersFileName, input.substr(std::min(cut + 1, size)));
    try {
        wexel::ReadDataFiles(folder().string());
    } catch (const wexel::RuntimeError&) {
        // A numbered error is the expected way to refuse a bad file.
    }
    std::size_t problems = 0;
    wexel::ReadDataFiles(folder().string(), [&](const wexel::DataFileProblem&) { ++problems; });
    return 0;
}
