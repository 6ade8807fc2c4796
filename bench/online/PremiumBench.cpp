// One start's premium download against a content server on 127.0.0.1: first
// with every listed file missing, then again with all of them present. With
// "list" first, one start whose articles list is about 1 MiB of names, all
// present, in a process of its own, so its peak memory is the list's alone.
#include "PremiumContent.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
double TimedUpdate(int port, const std::string& libraryRoot, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = PremiumContent::Update({"127.0.0.1", port}, libraryRoot, [](int) {});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The process's peak resident memory so far, in MiB.
double PeakMemoryMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

int BigList(int port, const std::string& libraryRoot)
{
    bool ok = false;
    const double took = TimedUpdate(port, libraryRoot, ok);
    std::printf("plumet, a 1 MiB list of names all present: %.1f ms, peak memory %.1f MiB (goal: under 64 MiB)\n",
                took * 1000, PeakMemoryMiB());
    return ok ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "list") == 0)
        return BigList(std::atoi(argv[2]), argv[3]);
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_online_premium PORT COUNT LIBRARY_ROOT\n"
                             "       bench_online_premium list PORT LIBRARY_ROOT\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int count = std::atoi(argv[2]);
    const std::string libraryRoot = argv[3];

    bool ok = false;
    const double missing = TimedUpdate(port, libraryRoot, ok);
    std::printf("plumet: %d files in %.3f s, %.0f files/s, peak memory %.1f MiB\n", count, missing, count / missing,
                PeakMemoryMiB());
    if (!ok)
        return 1;
    const double present = TimedUpdate(port, libraryRoot, ok);
    std::printf("plumet, every file present (two requests): %.1f ms\n", present * 1000);
    return ok ? 0 : 1;
}
