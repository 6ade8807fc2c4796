// Fetches bench/NAME from a server on 127.0.0.1 with GetToLines and reads
// every body line by index, as the callers do; reports the time of both.
#include "HttpClient.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_net_lines PORT NAME\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    std::string url = std::string("127.0.0.1/bench/") + argv[2];
    CHttpClient client;
    client.SetPort(std::atoi(argv[1]));
    const auto start = Clock::now();
    const int result = client.GetToLines(url.data());
    const auto fetched = Clock::now();
    size_t bytes = 0;
    for (int i = 0; i < client.GetBodyLineCount(); ++i)
        bytes += std::strlen(client.GetBodyLine(i));
    const auto read = Clock::now();
    const auto seconds = [](auto from, auto to) { return std::chrono::duration<double>(to - from).count(); };
    std::printf("plumet: %d body lines (%zu bytes) fetched in %.3f s, read by index in %.3f s (result %d)\n",
                client.GetBodyLineCount(), bytes, seconds(start, fetched), seconds(fetched, read), result);
    return result == 0 ? 0 : 1;
}
