// Fetches the named files of bench/ from a server on 127.0.0.1, one GetToFile
// (one connection) each, and reports files/s and MB/s.
#include "HttpClient.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_net_fetch PORT OUTPUT_FOLDER NAME...\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const std::string folder = argv[2];
    const int count = argc - 3;

    int failures = 0;
    double bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 3; i < argc; ++i) {
        std::string url = std::string("127.0.0.1/bench/") + argv[i];
        const std::string path = folder + "/" + argv[i];
        CHttpClient client;
        client.SetPort(port);
        if (client.GetToFile(url.data(), path.c_str()) != 0)
            ++failures;
        struct stat info {};
        if (stat(path.c_str(), &info) == 0)
            bytes += static_cast<double>(info.st_size);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("plumet: %d files in %.3f s, %.0f files/s, %.1f MB/s (%d failed)\n", count, seconds, count / seconds,
                bytes / 1e6 / seconds, failures);
    return failures == 0 ? 0 : 1;
}
