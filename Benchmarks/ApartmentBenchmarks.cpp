#include <algorithm>
#include <string>

#include <benchmark/benchmark.h>

#include "AddOn/ErrorCodes.hpp"
#include "AddOn/Zarimark/ApartmentModel.hpp"
#include "AddOn/Zarimark/RoomAreas.hpp"
#include "AddOn/Zarimark/StampParameters.hpp"
#include "GSRoot/MemoryHandle.hpp"
#include "HeadlessHost/HeadlessHost.hpp"
#include "Host/HostOperations.hpp"

using namespace Zarimark;

using Headless::Parameter;

namespace {

constexpr int RoomsPerApartment = 5;
constexpr int StampCategoryCount = 20;
// One room in this many has areas that contradict each other, so the check has something to report.
constexpr int InconsistentEvery = 100;

// A generated project in a headless host that the add-on's operations run against.
class GeneratedProject {
public:
    explicit GeneratedProject(int categoryCount) : categoryCount_(categoryCount) {
        for (int i = 1; i <= categoryCount; ++i)
            host.AddZoneCategory(("C" + std::to_string(i)).c_str(), "Category " + std::to_string(i));
        // Straight to the in-memory host: a call log would grow for as long as the run lasts.
        Host::SetCurrentHost(&host.GetInMemoryHost());
    }
    ~GeneratedProject() { Host::SetCurrentHost(nullptr); }
    GeneratedProject(const GeneratedProject&) = delete;
    GeneratedProject& operator=(const GeneratedProject&) = delete;

    // Zone i belongs to apartment "A<i / roomsPerApartment>"; categories cycle through all.
    bool AddRooms(int count, int roomsPerApartment) {
        for (int i = 0; i < count; ++i) {
            const API_Guid guid = host.AddZone(MakeZone(i, roomsPerApartment));
            if (guid == APINULLGuid)
                return false;
            rooms.Push(guid);
        }
        return true;
    }

    Headless::HeadlessHost host;
    GS::Array<API_Guid> rooms;

private:
    Headless::ZoneDesc MakeZone(int i, int roomsPerApartment) const {
        Headless::ZoneDesc desc;
        desc.number = std::to_string(i + 1);
        desc.roomName = "Room";
        desc.category = categoryCount_ == 0 ? 0 : 1 + i % categoryCount_;
        const bool inconsistent = i % InconsistentEvery == InconsistentEvery - 1;
        desc.areas.a = 20.0;
        desc.areas.b = 20.0;
        desc.areas.c = inconsistent ? 21.0 : 18.0;
        desc.areas.d = 17.5;
        desc.areas.e = 0.0;
        desc.parameters.push_back(
            Parameter::Text("stApartmentId", "A" + std::to_string(i / roomsPerApartment)));
        return desc;
    }

    int categoryCount_ = 0;
};

// The stamp's parameters with the library part's defaults, as a handle the host would hand out.
class StampParameterHandle {
public:
    StampParameterHandle()
        : handle_(Headless::EncodeParameters(
              {Parameter::Text("zm_apartmentId", "A0"), Parameter::Real("zm_version", 2.0),
               Parameter::NumberArray("zm_roomCats", 1, 1, {-1}),
               Parameter::NumberArray("zm_roomAreas", 1, 1, {0}),
               Parameter::NumberArray("zm_roomAreasInZari", 1, 4, {0, 0, 0, 0}),
               Parameter::NumberArray("zm_ZoneCatExists", 1, 1, {0}),
               Parameter::TextArray("zm_ZoneCatCodes", 1, 1, {""}),
               Parameter::TextArray("zm_ZoneCatNames", 1, 1, {""}),
               Parameter::NumberArray("zm_lines", 1, 1, {-2}),
               Parameter::TextArray("zm_lineTexts", 1, 1, {""})})) {}
    ~StampParameterHandle() { Headless::FreeParameterHandle(&handle_); }
    StampParameterHandle(const StampParameterHandle&) = delete;
    StampParameterHandle& operator=(const StampParameterHandle&) = delete;

    API_AddParType** Get() const { return reinterpret_cast<API_AddParType**>(handle_); }

private:
    GSHandle handle_ = nullptr;
};

// Every iteration must give back the memos it took and leave as many handles alive as before.
class MemoryWatch {
public:
    explicit MemoryWatch(const Headless::HeadlessHost& host)
        : host_(host), handlesBefore_(BMGetLiveHandleCount()), memosBefore_(host.GetHandedOutMemoCount()) {}

    bool IterationLeftNothing(benchmark::State& state) const {
        if (host_.GetOutstandingMemoCount() != 0) {
            state.SkipWithError("memos outstanding after an iteration");
            return false;
        }
        if (BMGetLiveHandleCount() != handlesBefore_) {
            state.SkipWithError("live handle count changed during an iteration");
            return false;
        }
        return true;
    }

    void Report(benchmark::State& state) const {
        state.counters["handles_alive"] = static_cast<double>(BMGetLiveHandleCount());
        state.counters["memos_per_iter"] =
            benchmark::Counter(static_cast<double>(host_.GetHandedOutMemoCount() - memosBefore_),
                               benchmark::Counter::kAvgIterations);
    }

private:
    const Headless::HeadlessHost& host_;
    Int64 handlesBefore_;
    Int64 memosBefore_;
};

// The table is gone before the caller checks memory, so only leaks of the operation count.
GSErrCode GroupAll(const GS::Array<API_Guid>& rooms, USize* apartmentCount) {
    ApartmentRooms apartments;
    const GSErrCode err = GroupRoomsByApartmentId(rooms, apartments);
    benchmark::DoNotOptimize(apartments);
    *apartmentCount = apartments.GetSize();
    return err;
}

void BM_GroupRoomsByApartmentId(benchmark::State& state) {
    const int zoneCount = static_cast<int>(state.range(0));
    GeneratedProject project(0);
    if (!project.AddRooms(zoneCount, RoomsPerApartment)) {
        state.SkipWithError("project generation failed");
        return;
    }
    const USize expected = static_cast<USize>((zoneCount + RoomsPerApartment - 1) / RoomsPerApartment);
    const MemoryWatch watch(project.host);
    for (auto _ : state) {
        USize apartmentCount = 0;
        if (GroupAll(project.rooms, &apartmentCount) != NoError || apartmentCount != expected) {
            state.SkipWithError("grouping gave a wrong result");
            break;
        }
        if (!watch.IterationLeftNothing(state))
            break;
    }
    state.SetItemsProcessed(state.iterations() * zoneCount);
    watch.Report(state);
}

void BM_CheckAllRoomAreas(benchmark::State& state) {
    const int zoneCount = static_cast<int>(state.range(0));
    GeneratedProject project(0);
    if (!project.AddRooms(zoneCount, RoomsPerApartment)) {
        state.SkipWithError("project generation failed");
        return;
    }
    const USize expected = static_cast<USize>(zoneCount / InconsistentEvery);
    const MemoryWatch watch(project.host);
    for (auto _ : state) {
        GS::HashSet<API_Guid> inconsistent;
        const GSErrCode err = CheckAllRoomAreas(inconsistent);
        if (err != ErrInconsistentRooms || inconsistent.GetSize() != expected) {
            state.SkipWithError("consistency check gave a wrong result");
            break;
        }
        if (!watch.IterationLeftNothing(state))
            break;
    }
    state.SetItemsProcessed(state.iterations() * zoneCount);
    watch.Report(state);
}

// One stamp rewritten in place, as every room event of its apartment does.
void BM_FillStampParameters(benchmark::State& state) {
    const int roomCount = static_cast<int>(state.range(0));
    GeneratedProject project(StampCategoryCount);
    if (!project.AddRooms(roomCount, roomCount)) {
        state.SkipWithError("project generation failed");
        return;
    }
    const StampParameterHandle params;
    const USize expected = static_cast<USize>(std::min(roomCount, StampCategoryCount));
    // The first fill grows the arrays to their final size; the iterations then rewrite them.
    CategorySet shown;
    if (FillStampParameters(project.rooms, params.Get(), shown) != NoError) {
        state.SkipWithError("filling the stamp failed");
        return;
    }
    const MemoryWatch watch(project.host);
    for (auto _ : state) {
        CategorySet categories;
        if (FillStampParameters(project.rooms, params.Get(), categories) != NoError ||
            categories.GetSize() != expected) {
            state.SkipWithError("filling the stamp gave a wrong result");
            break;
        }
        if (!watch.IterationLeftNothing(state))
            break;
    }
    state.SetItemsProcessed(state.iterations() * roomCount);
    watch.Report(state);
}

} // namespace

BENCHMARK(BM_GroupRoomsByApartmentId)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckAllRoomAreas)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillStampParameters)->Arg(5)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond);
