#include "NonRegularFiles.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

std::vector<std::string> MakeNonRegularFiles(const std::string& folder)
{
    const std::string fifo = folder + "/pipe.txt";
    const std::string zero = folder + "/zero.txt";
    const std::string socketFile = folder + "/socket.txt";
    if (mkfifo(fifo.c_str(), 0600) != 0 || symlink("/dev/zero", zero.c_str()) != 0)
        throw std::runtime_error("cannot make a FIFO or a link in " + folder);

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketFile.size() >= sizeof address.sun_path)
        throw std::runtime_error("socket path too long: " + socketFile);
    std::memcpy(address.sun_path, socketFile.c_str(), socketFile.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        close(fd);
    if (!bound)
        throw std::runtime_error("cannot make a socket file " + socketFile);
    return {fifo, zero, socketFile};
}
