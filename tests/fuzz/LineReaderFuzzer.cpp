// Reading lines and pieces of one stream from a peer on 127.0.0.1 that has
// already sent all of it: every line read gives exactly what a peek at the
// whole stream would (up to the first CR LF within the room, else the room),
// other reads give the next bytes, and nothing is lost or read twice.
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzLoopback.h"
#include "SocketClient.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kOperations = 8;
// What a loopback connection holds unread without the sender waiting.
constexpr std::size_t kLongestStream = 32 * 1024;

int g_listener = -1;
int g_port = 0;

// Small rooms, and rooms past the client's 16 KiB buffer.
int32_t Capacity(std::uint8_t operation)
{
    const int32_t value = operation & 0x7F;
    return value < 64 ? value : (value - 63) * 700;
}

// The length ReceiveLine gives at `offset` when all of `stream` has arrived.
std::size_t ExpectedLine(std::string_view stream, std::size_t offset, int32_t capacity)
{
    if (capacity <= 1)
        return 0;
    const std::string_view window = stream.substr(offset, static_cast<std::size_t>(capacity - 1));
    const std::size_t end = window.find("\r\n");
    return end == std::string_view::npos ? window.size() : end + 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Eight operations and a repeat count, then the stream's pattern.
    if (size < kOperations + 2)
        return 0;
    if (g_listener < 0)
        g_listener = FuzzLoopback::Listen(g_port);
    const std::uint8_t* operations = data;
    const std::size_t repeats = 1 + data[kOperations] % 16;
    const std::string_view pattern(reinterpret_cast<const char*>(data) + kOperations + 1, size - kOperations - 1);
    std::string stream;
    for (std::size_t i = 0; i < repeats && stream.size() < kLongestStream; ++i)
        stream += pattern;
    stream.resize(std::min(stream.size(), kLongestStream));

    CSocketClient client;
    FUZZ_CHECK(client.Connect(g_port, "127.0.0.1", AF_INET, SOCK_STREAM) == 0);
    const int peer = FuzzLoopback::Accept(g_listener);
    FUZZ_CHECK(peer >= 0);
    FUZZ_CHECK(send(peer, stream.data(), stream.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(stream.size()));
    close(peer);

    std::vector<char> buffer(kLongestStream * 2);
    std::size_t offset = 0;
    for (std::size_t step = 0; step < 64 && offset < stream.size(); ++step) {
        const std::uint8_t operation = operations[step % kOperations];
        const int32_t capacity = Capacity(operation);
        if (operation & 0x80) {
            const int32_t got = client.Receive(buffer.data(), capacity, 5);
            FUZZ_CHECK(got >= 0 && got <= std::max(capacity, 0));
            FUZZ_CHECK(got > 0 || capacity <= 0);
            FUZZ_CHECK(std::string_view(buffer.data(), static_cast<std::size_t>(got))
                       == std::string_view(stream).substr(offset, static_cast<std::size_t>(got)));
            offset += static_cast<std::size_t>(got);
        } else {
            const int32_t got = client.ReceiveLine(buffer.data(), capacity, 5);
            const std::size_t expected = ExpectedLine(stream, offset, capacity);
            FUZZ_CHECK(static_cast<std::size_t>(got) == expected);
            FUZZ_CHECK(capacity <= 0 || buffer[static_cast<std::size_t>(got)] == '\0');
            FUZZ_CHECK(std::memcmp(buffer.data(), stream.data() + offset, expected) == 0);
            offset += expected;
        }
    }

    // The rest of the stream, whatever the reads before left buffered.
    const std::string file = FuzzFiles::Folder() + "/rest";
    int64_t total = -1;
    FUZZ_CHECK(client.ReceiveToFile(file.c_str(), 1, total, 5) == 0);
    FUZZ_CHECK(FuzzFiles::Read(file) == stream.substr(offset));
    FUZZ_CHECK(total == static_cast<int64_t>(stream.size() - offset));
    return 0;
}
