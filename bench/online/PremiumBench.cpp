// One start's premium download against a content server on 127.0.0.1: first
// with every listed file missing, then again with all of them present.
#include "PremiumContent.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
double TimedUpdate(int port, const std::string& libraryRoot, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = PremiumContent::Update({"127.0.0.1", port}, libraryRoot, [](int) {});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_online_premium PORT COUNT LIBRARY_ROOT\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int count = std::atoi(argv[2]);
    const std::string libraryRoot = argv[3];

    bool ok = false;
    const double missing = TimedUpdate(port, libraryRoot, ok);
    std::printf("plumet: %d files in %.3f s, %.0f files/s\n", count, missing, count / missing);
    if (!ok)
        return 1;
    const double present = TimedUpdate(port, libraryRoot, ok);
    std::printf("plumet, every file present (two requests): %.1f ms\n", present * 1000);
    return ok ? 0 : 1;
}
