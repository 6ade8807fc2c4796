#pragma once
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

// The median of `runs` timings of `work`, in milliseconds.
template <typename Work>
double MedianMilliseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Runs a shell command; false when it failed.
inline bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

// Quotes a path for the shell.
inline std::string Quoted(const std::string& path)
{
    std::string quoted = "'";
    for (char c : path)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
