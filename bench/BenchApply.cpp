// Applying a profile against starting netsh directly: with an instant stand-in for netsh, what applying adds on
// top of the process start must stay small.
#include "core/Promenne.h"
#include "core/Startup.h"
#include "engine/ApplyProfile.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The stand-in lies beside this benchmark in fake-netsh/, which goes first on PATH.
struct FakeNetshOnPath {
    std::filesystem::path Root;
    FakeNetshOnPath() {
        std::filesystem::path exe(platform::ExecutablePath());
        const std::string path = (exe.parent_path() / "fake-netsh").string() + ":" + std::getenv("PATH");
        setenv("PATH", path.c_str(), 1);
        Root = std::filesystem::temp_directory_path() / "norvex-bench-apply";
        std::filesystem::create_directories(Root / "Language");
        ResolveFolders((Root / "Norvex.exe").string());
        ResetStore();
        TempDir = Root.string();
        Interfaces[3].Interface = "Local Area Connection";
        TProfile& p = Profiles[static_cast<size_t>(AppendProfile())];
        p.InterfaceNo = 3;
        p.IP.Apply = true;
        p.IP.SourceType = 1;
        for (int i = 0; i < 10; ++i)
            p.IP.Adresses.push_back({"10.0.0." + std::to_string(i + 1), "255.255.255.0"});
        for (int i = 0; i < 5; ++i) {
            p.IP.Gateways.push_back("10.0.1." + std::to_string(i + 1));
            p.DNS.Adresses.push_back("10.0.2." + std::to_string(i + 1));
            p.WINS.Adresses.push_back("10.0.3." + std::to_string(i + 1));
        }
        p.DNS = {true, 1, p.DNS.Adresses, 1};
        p.WINS = {true, 1, p.WINS.Adresses};
        p.Firewall = {true, true, false, true};
        Selection.CurrentProfile = 0;
    }
    ~FakeNetshOnPath() {
        CloseIniFile();
        std::filesystem::remove_all(Root);
    }
};

void ApplyCurrentProfileWithInstantNetsh(benchmark::State& state) {
    FakeNetshOnPath fake;
    for (auto _ : state)
        benchmark::DoNotOptimize(ApplyCurrentProfile());
}
BENCHMARK(ApplyCurrentProfileWithInstantNetsh)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void StartAndWaitForInstantNetsh(benchmark::State& state) {
    FakeNetshOnPath fake;
    const platform::TProcessStart netsh{platform::NetshPath(),
                                        "netsh exec \"" + TempFilePath(NetshScriptFileName) + "\"", 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::RunProcess(netsh));
}
BENCHMARK(StartAndWaitForInstantNetsh)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
