#include "FtpClient.h"

#include "FtpParsing.h"
#include "IsDottedAddress.h"
#include "ResolveHost.h"
#include "TrimLineEnd.h"

#include <arpa/inet.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <strings.h>

namespace {
constexpr int kPortAttempts = 128;
constexpr int32_t kFirstDataPort = 10000;
constexpr int32_t kLastDataPort = 32000;
constexpr int32_t kDataPortSpread = 20000;
constexpr int kLocalAddressCapacity = 32;

bool IsIn(int code, int low, int high)
{
    return code >= low && code <= high;
}

int32_t MillisecondsSinceBoot()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<int32_t>((int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000) % kDataPortSpread);
}

int32_t CurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

bool EndsLine(const char* text, int32_t length)
{
    return length > 0 && text[length - 1] == '\n';
}
}

CFtpClient::CFtpClient()
    : m_nextDataPort(MillisecondsSinceBoot() + kFirstDataPort)
{
}

CFtpClient::~CFtpClient()
{
    ClearEntries();
    Quit();
}

void CFtpClient::ParseUnixEntry(FtpDirEntry& entry)
{
    entry = ParseUnixLine(m_buffer, CurrentYear());
}

void CFtpClient::ParseDosEntry(FtpDirEntry& entry)
{
    entry = ParseDosLine(m_buffer);
}

int CFtpClient::Login(const char* host, const char* user, const char* password, const char* account)
{
    Quit();
    const char* address = host;
    if (!IsDottedAddress(host)) {
        if (ResolveHost(host, m_buffer, sizeof m_buffer) != 0)
            return 1;
        address = m_buffer;
    }
    if (m_control.Connect(m_port, address, AF_INET, SOCK_STREAM) != 0)
        return 2;

    const int greeting = ReadReply();
    if (greeting == 0)
        return 3;
    if (!IsIn(greeting, 200, 399))
        return 4;

    const int userReply = SendCommand("USER %s\r\n", user) ? ReadReply() : 0;
    if (userReply == 0)
        return 5;
    if (!IsIn(userReply, 200, 299)) {
        if (!IsIn(userReply, 300, 399))
            return 6;
        const int passReply = SendCommand("PASS %s\r\n", password) ? ReadReply() : 0;
        if (passReply == 0)
            return 7;
        if (passReply == 300) {
            const int accountReply = SendCommand("ACCT %s\r\n", account) ? ReadReply() : 0;
            if (accountReply == 0)
                return 9;
            if (!IsIn(accountReply, 200, 399))
                return 10;
        } else if (!IsIn(passReply, 200, 399)) {
            return 8;
        }
    }

    // The server's answers to these settings are not judged.
    for (const char* setting : {"TYPE A\r\n", "MODE S\r\n", "STRU F\r\n"}) {
        if (SendCommand(setting))
            ReadReply();
    }
    return 0;
}

int CFtpClient::Quit()
{
    m_control.Send("Quit\r\n", 0);
    m_control.Close();
    m_data.Close();
    return 0;
}

int CFtpClient::Noop()
{
    const int code = SendCommand("NOOP\r\n") ? ReadReply() : 0;
    return code == 0 ? 1 : IsIn(code, 200, 299) ? 0 : 2;
}

int CFtpClient::SetType(int code)
{
    if (code != 0 && code != 1)
        return 1;
    const int reply = SendCommand(code == 0 ? "TYPE A\r\n" : "TYPE I\r\n") ? ReadReply() : 0;
    return reply == 0 ? 2 : IsIn(reply, 200, 299) ? 0 : 3;
}

int CFtpClient::ChangeDir(const char* folder)
{
    const int code = SendCommand("CWD %s\r\n", folder) ? ReadReply() : 0;
    return code == 0 ? 1 : IsIn(code, 200, 299) ? 0 : 2;
}

int CFtpClient::ChangeDirUp()
{
    const int code = SendCommand("CDUP\r\n") ? ReadReply() : 0;
    return code == 0 ? 1 : IsIn(code, 200, 299) ? 0 : IsIn(code, 500, 599) ? 2 : 3;
}

int CFtpClient::List()
{
    const int opened = OpenDataPort();
    if (opened != 0)
        return opened;
    // The server's preliminary reply is read after the listing.
    if (!SendCommand("LIST\r\n") || !AwaitDataConnection(m_listWaitMs)) {
        m_data.Close();
        // Stale replies must not answer later commands.
        m_control.DrainInput();
        return 3;
    }

    ClearEntries();
    bool totalSkipped = false;
    while (ReadLine(m_data)) {
        TrimLineEnd(m_buffer);
        if (!totalSkipped && strncasecmp(m_buffer, "total", 5) == 0) {
            totalSkipped = true;
            continue;
        }
        FtpDirEntry entry;
        if (std::isdigit(static_cast<unsigned char>(m_buffer[0])) != 0)
            ParseDosEntry(entry);
        else
            ParseUnixEntry(entry);
        m_entries.push_back(entry);
    }
    m_data.Close();

    int code = ReadReply();
    if (code < 200)
        code = ReadReply();
    return IsIn(code, 200, 299) ? 0 : 4;
}

int CFtpClient::PutFile(const char* localPath, const char* remoteName)
{
    const int opened = OpenDataPort();
    if (opened != 0)
        return opened;
    const int accepted = SendCommand("STOR %s\r\n", remoteName) ? ReadReply() : 0;
    if (!IsIn(accepted, 100, 299)) {
        m_data.Close();
        return 3;
    }
    if (!AwaitDataConnection(m_putWaitMs)) {
        m_data.Close();
        m_control.DrainInput();
        return 4;
    }

    int64_t total = 0;
    const int sent = m_data.SendFile(localPath, total);
    // Closing tells the server the file has ended.
    m_data.Close();
    const int code = ReadReply();
    return sent == 0 && IsIn(code, 200, 299) ? 0 : 5;
}

int CFtpClient::GetEntryCount() const
{
    return static_cast<int>(m_entries.size());
}

int CFtpClient::GetEntry(int index, FtpDirEntry& entry) const
{
    if (index < 0 || index >= GetEntryCount())
        return 1;
    entry = m_entries[static_cast<size_t>(index)];
    return 0;
}

void CFtpClient::ClearEntries()
{
    m_entries.clear();
}

int CFtpClient::ReadReply()
{
    if (!ReadLine(m_control))
        return 0;
    // A reply line longer than the buffer is cut: its rest must not pass for the next reply.
    const int32_t length = static_cast<int32_t>(std::strlen(m_buffer));
    if (length == static_cast<int32_t>(sizeof m_buffer) - 1 && !EndsLine(m_buffer, length)) {
        char rest[sizeof m_buffer];
        int32_t got = 0;
        do
            got = m_control.ReceiveLine(rest, sizeof rest, LineWaitSeconds());
        while (got > 0 && !EndsLine(rest, got));
    }
    TrimLineEnd(m_buffer);

    const int code = ReplyCode(m_buffer);
    if (std::strlen(m_buffer) > 3 && m_buffer[3] == '-') {
        // Several lines: they run to the one that starts with the same three
        // characters and a space.
        char opening[4] = {m_buffer[0], m_buffer[1], m_buffer[2], '\0'};
        while (ReadLine(m_control)) {
            TrimLineEnd(m_buffer);
            if (std::strncmp(m_buffer, opening, 3) == 0 && m_buffer[3] == ' ')
                break;
        }
    }
    return code;
}

void CFtpClient::SetPort(int32_t port)
{
    m_port = port;
}

void CFtpClient::SetDataWaits(int32_t listMilliseconds, int32_t putMilliseconds)
{
    m_listWaitMs = listMilliseconds;
    m_putWaitMs = putMilliseconds;
}

void CFtpClient::SetReceiveTimeout(int32_t milliseconds)
{
    m_control.SetReceiveTimeout(milliseconds);
    m_data.SetReceiveTimeout(milliseconds);
}

void CFtpClient::SetNextDataPort(int32_t port)
{
    m_nextDataPort = port;
}

bool CFtpClient::SendCommand(const char* format, const char* argument)
{
    // A line break inside a name would let it carry a command of its own.
    if (argument == nullptr || std::strpbrk(argument, "\r\n") != nullptr)
        return false;
    const int length = std::snprintf(m_command, sizeof m_command, format, argument);
    if (length <= 0 || length >= static_cast<int>(sizeof m_command))
        return false;
    return m_control.Send(m_command, length) == length;
}

bool CFtpClient::ReadLine(CSocketClient& connection)
{
    return connection.ReceiveLine(m_buffer, sizeof m_buffer, LineWaitSeconds()) > 0;
}

int CFtpClient::OpenDataPort()
{
    bool listening = false;
    for (int attempt = 0; attempt < kPortAttempts && !listening; ++attempt) {
        listening = m_data.Listen(static_cast<uint16_t>(m_nextDataPort), 1, AF_INET, htonl(INADDR_ANY)) == 0;
        if (!listening)
            ++m_nextDataPort;
    }
    if (!listening)
        return 1;

    char address[kLocalAddressCapacity] = {};
    m_control.GetLocalAddress(address, sizeof address);
    std::replace(address, address + std::strlen(address), '.', ',');
    char hostAndPort[kLocalAddressCapacity + 16];
    std::snprintf(hostAndPort, sizeof hostAndPort, "%s,%d,%d", address, m_nextDataPort / 256, m_nextDataPort % 256);

    // Every transfer announces a fresh port.
    ++m_nextDataPort;
    if (m_nextDataPort > kLastDataPort || m_nextDataPort < 0)
        m_nextDataPort = kFirstDataPort;

    const int code = SendCommand("PORT %s\r\n", hostAndPort) ? ReadReply() : 0;
    if (!IsIn(code, 200, 299)) {
        m_data.Close();
        return 2;
    }
    return 0;
}

bool CFtpClient::AwaitDataConnection(int32_t milliseconds)
{
    // Only the server may connect: anyone else could inject a listing or take the file.
    return m_data.AcceptFrom(m_control.GetPeerRecord().sin_addr, milliseconds) == 0;
}

int32_t CFtpClient::LineWaitSeconds() const
{
    // Whole seconds, rounded up, so that a short time-out still bounds the read.
    const int32_t timeout = m_control.GetReceiveTimeout();
    return timeout > 0 ? (timeout + 999) / 1000 : 0;
}
