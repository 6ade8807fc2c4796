// Fetches bench/file0000.txt ... from a server on 127.0.0.1, one GetToFile
// (one connection) each, and reports the rate.
#include "HttpClient.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_net_fetch PORT COUNT OUTPUT_FOLDER\n");
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const int count = std::atoi(argv[2]);
    const std::string folder = argv[3];

    int failures = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%04d.txt", i);
        std::string url = std::string("127.0.0.1/bench/") + name;
        CHttpClient client;
        client.SetPort(port);
        if (client.GetToFile(url.data(), (folder + "/" + name).c_str()) != 0)
            ++failures;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("plumet: %d files in %.3f s, %.0f files/s (%d failed)\n", count, seconds, count / seconds, failures);
    return failures == 0 ? 0 : 1;
}
