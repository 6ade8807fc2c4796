// The drives read from a mount table of any bytes: "/" first, every root an
// existing folder ending with "/", none twice, and no drive at all once the
// mount every line sits on is covered.
#include "FuzzCheck.h"
#include "LocalDrives.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string table(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> roots = LocalDrives::FromMountInfo(table);
    FUZZ_CHECK(!roots.empty() && roots.front() == "/");
    for (const std::string& root : roots) {
        struct stat info {};
        FUZZ_CHECK(root.back() == '/');
        FUZZ_CHECK(root.find('\0') == std::string::npos);
        FUZZ_CHECK(::stat(root.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
    }
    std::sort(roots.begin(), roots.end());
    FUZZ_CHECK(std::adjacent_find(roots.begin(), roots.end()) == roots.end());

    // Each line, its id and parent replaced, sits on mount 1, which mount 2 covers.
    std::string covered = "1 0 0:1 / / rw - ext4 /dev/a rw\n2 1 0:2 / / rw - ext4 /dev/b rw\n";
    for (size_t from = 0, id = 3; from < table.size(); ++id) {
        const size_t end = std::min(table.find('\n', from), table.size());
        const std::string line = table.substr(from, end - from);
        const size_t second = line.find(' ', line.find(' ') + 1);
        if (second != std::string::npos)
            covered += std::to_string(id) + " 1" + line.substr(second) + "\n";
        from = end + 1;
    }
    FUZZ_CHECK(LocalDrives::FromMountInfo(covered) == std::vector<std::string>{"/"});
    return 0;
}
