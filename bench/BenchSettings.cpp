// Loading and saving the settings of five slots of N profiles each: the cost must grow linearly with N.
#include "core/Promenne.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "lang/Language.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// A profile as a user who keeps many of them would have it: 3 addresses, 2 gateways, 2 DNS and 2 WINS servers
// and 3 script variables.
TProfile TypicalProfile(int slot, int k) {
    TProfile p;
    p.InterfaceNo = slot;
    p.Name = "Office " + std::to_string(slot) + "-" + std::to_string(k);
    p.Icon = k % 9;
    p.Scripts = {true, {{"HOST", "alpha"}, {"IP", "10.0.0.5"}, {"USER", "norvex"}}, "C:\\t.txt", "C:\\d.txt", "x.exe"};
    p.IP = {true,
            1,
            {{"10.0.0.1", "255.0.0.0"}, {"10.0.0.2", "255.0.0.0"}, {"10.0.0.3", "255.0.0.0"}},
            {"10.0.0.254", "10.0.0.253"}};
    p.DNS = {true, 1, {"10.0.0.53", "10.0.0.54"}, 1};
    p.WINS = {true, 1, {"10.0.0.80", "10.0.0.81"}};
    p.Firewall = {true, true, false, true};
    return p;
}

struct BenchFolder {
    std::filesystem::path Root;
    explicit BenchFolder(int perSlot) {
        Root = std::filesystem::temp_directory_path() / ("norvex-bench-" + std::to_string(perSlot));
        std::filesystem::remove_all(Root);
        std::filesystem::create_directories(Root / "Language");
        ResolveFolders((Root / "Norvex.exe").string());
        ResetStore();
        for (int slot = 1; slot <= SlotCount; ++slot) {
            Interfaces[static_cast<size_t>(slot)] = {"LAN " + std::to_string(slot), "Office", "LAN", slot, false};
            for (int k = 0; k < perSlot; ++k)
                Profiles.push_back(TypicalProfile(slot, k));
        }
        SaveSettings();
    }
    ~BenchFolder() { std::filesystem::remove_all(Root); }
};

void LoadSettingsOfAllSlots(benchmark::State& state) {
    BenchFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LoadSettings(1);
        benchmark::DoNotOptimize(Profiles.data());
    }
    if (Profiles.size() != static_cast<size_t>(state.range(0)) * SlotCount)
        state.SkipWithError("not every profile was read back");
    state.counters["profiles"] = static_cast<double>(Profiles.size());
}
BENCHMARK(LoadSettingsOfAllSlots)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

void SaveSettingsOfAllSlots(benchmark::State& state) {
    BenchFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state)
        SaveSettings();
    state.counters["profiles"] = static_cast<double>(Profiles.size());
}
BENCHMARK(SaveSettingsOfAllSlots)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
