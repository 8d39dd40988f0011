// The loader's throughput on a generated tier file of about 50 MB.
#include "tiers/DataFiles.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

struct GeneratedFiles {
    std::filesystem::path folder;
    std::size_t bytes = 0;
    GeneratedFiles() {
        folder = std::filesystem::temp_directory_path() /
                 ("wexel-bench-loader-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        std::ofstream names(folder / wexel::kNamesFileName, std::ios::binary);
        for (int c = 0; c < 50; ++c) {
            names << "C" << c << ",Conversion " << c << ",MSU\r\n";
        }
        std::ofstream tiers(folder / wexel::kTiersFileName, std::ios::binary);
        for (int i = 0; i < 1'450'000; ++i) {
            tiers << "\"C" << i % 50 << "\",\"" << i << "\",\"" << i + 1 << "\",\"\",\"0.125\"\r\n";
        }
        tiers.close();
        bytes = std::filesystem::file_size(folder / wexel::kTiersFileName);
    }
    ~GeneratedFiles() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

void BM_LoadDataFiles(benchmark::State& state) {
    static GeneratedFiles files;
    for (auto _ : state) {
        wexel::ConversionTable table = wexel::ReadDataFiles(files.folder.string());
        benchmark::DoNotOptimize(table.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files.bytes));
    state.counters["file_MB"] = static_cast<double>(files.bytes) / 1e6;
}
BENCHMARK(BM_LoadDataFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
