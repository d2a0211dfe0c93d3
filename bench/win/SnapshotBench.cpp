// How long reading the machine's connections takes: the first read (which loads the system libraries) and the
// median of the next ones, in milliseconds. Prints what it read, so that a run shows what was timed.
//   bench_snapshot.exe [READS] [--firewall]    default 20 reads, the connections only (as the dialogs read them)
#include "platform/Connections.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

double MillisecondsOfOneRead(platform::MachineSnapshot& snapshot, bool firewall) {
    const auto start = std::chrono::steady_clock::now();
    snapshot = platform::ReadMachineSnapshot(firewall);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const int reads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const bool firewall = argc > 2 && std::strcmp(argv[2], "--firewall") == 0;
    platform::MachineSnapshot snapshot;
    const double first = MillisecondsOfOneRead(snapshot, firewall);
    std::vector<double> times;
    for (int i = 0; i < reads; ++i)
        times.push_back(MillisecondsOfOneRead(snapshot, firewall));
    std::sort(times.begin(), times.end());
    const double median = reads % 2 ? times[reads / 2] : (times[reads / 2 - 1] + times[reads / 2]) / 2;
    std::printf("%zu connections, firewall %s\n", snapshot.Connections.size(),
                snapshot.Firewall ? "read" : "not readable");
    for (const platform::NetworkConnection& c : snapshot.Connections)
        std::printf("  %s (%s): %zu addresses, %zu gateways, %zu DNS servers\n", c.Name.c_str(), c.Description.c_str(),
                    c.Addresses.size(), c.Gateways.size(), c.DnsServers.size());
    std::printf("first read %.2f ms; median of %d further reads %.2f ms (fastest %.2f, slowest %.2f)\n", first, reads,
                median, times.front(), times.back());
    return snapshot.Read ? 0 : 1;
}
