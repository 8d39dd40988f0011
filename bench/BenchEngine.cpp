// MSU2WX and WX2MSU per call, by the number of tiers of the conversion.
#include "engine/ModMath.h"
#include "tiers/DataFiles.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace {

// A conversion of `count` tiers, 10 units wide each, slopes falling gently.
void makeTable(int count) {
    wexel::Conversion c{"Bench", "Bench", "MSU", {}, 0, {}};
    for (int i = 0; i < count; ++i) {
        wexel::clsTier t;
        t.Define(1 + 10 * i, 10 * (i + 1), 1.0 / (1.0 + 0.01 * i));
        t.setUnits("MSU");
        t.setSlopeName("Bench");
        c.tiers.push_back(t);
    }
    wexel::ConversionTable table;
    table.add(std::move(c), "Bench");
    wexel::setSlopeTable(std::move(table));
}

void BM_MSU2WX(benchmark::State& state) {
    const int tiers = static_cast<int>(state.range(0));
    makeTable(tiers);
    // A capacity in the last tier: the walk visits every tier.
    const std::string amount = std::to_string(10 * tiers + 5);
    for (auto _ : state) {
        benchmark::DoNotOptimize(wexel::MSU2WX(amount, "Bench"));
    }
}
BENCHMARK(BM_MSU2WX)->Arg(3)->Arg(12)->Arg(100)->Arg(1000);

void BM_WX2MSU(benchmark::State& state) {
    const int tiers = static_cast<int>(state.range(0));
    makeTable(tiers);
    const std::string wexels = std::to_string(20 * tiers);
    for (auto _ : state) {
        benchmark::DoNotOptimize(wexel::WX2MSU(wexels, "Bench", "0"));
    }
}
BENCHMARK(BM_WX2MSU)->Arg(3)->Arg(12)->Arg(100)->Arg(1000);

} // namespace
