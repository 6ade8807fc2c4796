#pragma once
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

// A private folder for the whole fuzz run, and whole-file reads and writes.
namespace FuzzFiles {

inline const std::string& Folder()
{
    static const std::string folder = [] {
        std::string pattern = "/tmp/plumet-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

inline void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace FuzzFiles
