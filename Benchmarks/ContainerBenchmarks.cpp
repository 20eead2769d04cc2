#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "GSRoot/Array.hpp"
#include "GSRoot/HashSet.hpp"
#include "GSRoot/HashTable.hpp"
#include "GSRoot/UniString.hpp"
#include "Host/APIGuid.hpp"

namespace {

using GuidSet = GS::HashSet<API_Guid>;
using RoomsById = GS::HashTable<GS::UniString, GS::Array<API_Guid>>;

// Random GUIDs with a fixed seed, so runs compare.
std::vector<API_Guid> MakeGuids(int count) {
    std::mt19937_64 random(20240611);
    std::vector<API_Guid> guids(static_cast<std::size_t>(count));
    for (API_Guid& guid : guids) {
        const UInt64 high = random();
        const UInt64 low = random();
        guid.time_low = static_cast<UInt32>(high);
        guid.time_mid = static_cast<UInt16>(high >> 32);
        guid.time_hi_and_version = static_cast<UInt16>(high >> 48);
        guid.clock_seq_hi_and_reserved = static_cast<UInt8>(low);
        guid.clock_seq_low = static_cast<UInt8>(low >> 8);
        for (int i = 0; i < 6; ++i)
            guid.node[i] = static_cast<UInt8>(low >> (16 + 8 * i));
    }
    return guids;
}

GuidSet MakeSet(const std::vector<API_Guid>& guids) {
    GuidSet set;
    for (const API_Guid& guid : guids)
        set.Add(guid);
    return set;
}

void BM_GuidSetInsert(benchmark::State& state) {
    const std::vector<API_Guid> guids = MakeGuids(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        GuidSet set = MakeSet(guids);
        benchmark::DoNotOptimize(set);
        if (set.GetSize() != guids.size()) {
            state.SkipWithError("duplicate GUIDs generated");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Deletion moves the last key into the freed place; a shuffled order exercises that move.
void BM_GuidSetDelete(benchmark::State& state) {
    std::vector<API_Guid> guids = MakeGuids(static_cast<int>(state.range(0)));
    const GuidSet full = MakeSet(guids);
    std::shuffle(guids.begin(), guids.end(), std::mt19937_64(7));
    for (auto _ : state) {
        state.PauseTiming();
        GuidSet set = full;
        state.ResumeTiming();
        for (const API_Guid& guid : guids)
            set.Delete(guid);
        if (!set.IsEmpty()) {
            state.SkipWithError("keys left after deleting all");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GuidSetIterate(benchmark::State& state) {
    const GuidSet set = MakeSet(MakeGuids(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        UInt64 sum = 0;
        for (const API_Guid& guid : set)
            sum += guid.time_low;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One key per apartment, as the grouping makes them; the keys are made beforehand so only the
// table is measured.
void BM_RoomsByIdInsert(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::vector<API_Guid> guids = MakeGuids(count);
    std::vector<GS::UniString> keys;
    for (int i = 0; i < count; ++i)
        keys.emplace_back("A" + std::to_string(i));
    for (auto _ : state) {
        RoomsById table;
        for (int i = 0; i < count; ++i)
            table.Add(keys[i], GS::Array<API_Guid>{guids[i]});
        benchmark::DoNotOptimize(table);
        if (table.GetSize() != static_cast<USize>(count)) {
            state.SkipWithError("keys lost on insert");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_GuidSetInsert)->Apply(Sizes);
BENCHMARK(BM_GuidSetDelete)->Apply(Sizes);
BENCHMARK(BM_GuidSetIterate)->Apply(Sizes);
BENCHMARK(BM_RoomsByIdInsert)->Apply(Sizes);
