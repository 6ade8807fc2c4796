// Stamping a large file beside a shell's append of the same record: the
// stamp writes only at the file's end, so it costs the same whatever the size.
#include "BenchTiming.h"
#include "StampRecord.h"

#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// A sparse file of `bytes` bytes.
void MakeFile(const std::string& path, off_t bytes)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0666);
    if (fd < 0 || ::ftruncate(fd, bytes) != 0)
        std::perror(path.c_str());
    ::close(fd);
}

}  // namespace

int main(int argc, char** argv)
{
    const off_t mebibytes = argc > 1 ? std::atoi(argv[1]) : 1024;
    const int stamps = argc > 2 ? std::atoi(argv[2]) : 200;
    QTemporaryDir dir;
    const std::string large = dir.path().toStdString() + "/pla1_0.exe";
    const std::string small = dir.path().toStdString() + "/small.exe";
    MakeFile(large, mebibytes << 20);
    MakeFile(small, 1000);

    auto stampMany = [&](const std::string& path) {
        return MedianMilliseconds(5, [&] {
            for (int i = 0; i < stamps; ++i)
                if (StampFile(path, "12345") != StampOutcome::Stamped)
                    std::fprintf(stderr, "stamp failed\n");
        });
    };
    const double largeMs = stampMany(large);
    const double smallMs = stampMany(small);
    const std::string append = "bash -c 'for ((i = 0; i < " + std::to_string(stamps)
                             + "; i++)); do printf \"Value1=IM12345\\r\" >> " + Quoted(large) + "; done'";
    const double shellMs = MedianMilliseconds(5, [&] { Shell(append); });

    std::printf("stamp: %d stamps of 15 bytes onto %lld MiB: %.3f ms each (1000 bytes: %.3f ms each); "
                "printf >> file: %.3f ms each; ratio %.2f (goal <= 1.2)\n",
                stamps, static_cast<long long>(mebibytes), largeMs / stamps, smallMs / stamps,
                shellMs / stamps, largeMs / shellMs);
    return 0;
}
