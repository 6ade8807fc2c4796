#include "ScriptedServer.h"
#include "SocketClient.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace {

constexpr uint32_t kAny = 0;

TEST(SocketListen, ListensOnceAndCloseFreesThePort)
{
    int port = 0;
    const int taken = ListenOnLoopback(1, port);
    CSocketClient client;
    EXPECT_EQ(client.Listen(static_cast<uint16_t>(port), 1, AF_INET, kAny), 3);
    close(taken);
    ASSERT_EQ(client.Listen(static_cast<uint16_t>(port), 1, AF_INET, kAny), 0);
    EXPECT_EQ(client.Listen(static_cast<uint16_t>(port), 1, AF_INET, kAny), 1);
    EXPECT_EQ(client.Close(), 0);
    EXPECT_EQ(client.Listen(static_cast<uint16_t>(port), 1, AF_INET, kAny), 0);
}

TEST(SocketListen, AcceptsAWaitingConnectionAndDrainsWhatArrived)
{
    const int port = UnusedLoopbackPort();
    CSocketClient client;
    char address[32] = {};
    EXPECT_EQ(client.GetLocalAddress(address, sizeof address), 1);
    ASSERT_EQ(client.Listen(static_cast<uint16_t>(port), 1, AF_INET, kAny), 0);
    EXPECT_EQ(client.WaitIncoming(0), 1);

    const int peer = ConnectToLoopback(port);
    ASSERT_GE(peer, 0);
    EXPECT_EQ(client.WaitIncoming(5), 0);
    ASSERT_EQ(client.Accept(), 0);
    EXPECT_EQ(client.GetLocalAddress(address, 6), 0);
    EXPECT_STREQ(address, "127.0");
    EXPECT_EQ(client.GetLocalAddress(address, sizeof address), 0);
    EXPECT_STREQ(address, "127.0.0.1");

    EXPECT_FALSE(client.BytesAvailable());
    const std::string stale(1000, 's');
    send(peer, stale.data(), stale.size(), 0);
    ASSERT_EQ(client.WaitReadable(5, 0), 0);
    EXPECT_TRUE(client.BytesAvailable());
    client.DrainInput();
    EXPECT_FALSE(client.BytesAvailable());
    close(peer);
}

TEST(SocketListen, SendFileSendsEverythingOrStopsWhenAsked)
{
    TempFolder folder;
    const std::string content(3 * 1024 * 1024 + 3, 'm');
    WriteWholeFile(folder.PathOf("file"), content);
    for (const bool stopEarly : {false, true}) {
        const int port = UnusedLoopbackPort();
        CSocketClient client;
        if (stopEarly)
            client.SetSendProgressFunction([](int64_t) { return int32_t{0}; });
        ASSERT_EQ(client.Listen(static_cast<uint16_t>(port), 1, AF_INET, kAny), 0);
        const int peer = ConnectToLoopback(port);
        ASSERT_GE(peer, 0);
        ASSERT_EQ(client.Accept(), 0);
        int64_t total = -1;
        EXPECT_EQ(client.SendFile(folder.PathOf("missing").c_str(), total), 1);
        EXPECT_EQ(client.SendFile(folder.PathOf("file").c_str(), total), 0);
        // Stopped after its first piece, or the whole file.
        if (stopEarly)
            EXPECT_TRUE(total > 0 && total < int64_t(content.size())) << total;
        else
            EXPECT_EQ(total, int64_t(content.size()));
        client.Close();

        std::string received;
        char chunk[4096];
        for (ssize_t got = 0; (got = recv(peer, chunk, sizeof chunk, 0)) > 0;)
            received.append(chunk, static_cast<size_t>(got));
        EXPECT_EQ(received.size(), size_t(total));
        close(peer);
    }
}

}
