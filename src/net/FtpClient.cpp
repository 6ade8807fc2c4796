#include "FtpClient.h"

#include "FtpParsing.h"
#include "FtpPassiveReplies.h"
#include "IsDottedAddress.h"
#include "ResolveHost.h"
#include "TlsChannel.h"
#include "TlsContext.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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
constexpr int kHostAddressCapacity = 256;
constexpr int64_t kReplyByteLimit = 64 * 1024;
constexpr int64_t kListingByteLimit = 16 * 1024 * 1024;
constexpr size_t kListingEntryLimit = 100000;
using Clock = std::chrono::steady_clock;

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

// A local file opened for an upload: only a regular file, opened without
// blocking so that a FIFO in its place cannot hold us.
class UploadFile
{
public:
    explicit UploadFile(const char* path)
    {
        struct stat status{};
        m_fd = path != nullptr ? open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
        if (m_fd >= 0 && (fstat(m_fd, &status) != 0 || !S_ISREG(status.st_mode))) {
            close(m_fd);
            m_fd = -1;
        }
        m_size = m_fd >= 0 ? status.st_size : 0;
    }
    UploadFile(const UploadFile&) = delete;
    UploadFile& operator=(const UploadFile&) = delete;
    ~UploadFile()
    {
        if (m_fd >= 0)
            close(m_fd);
    }

    int Descriptor() const { return m_fd; }
    int64_t Size() const { return m_size; }

private:
    int m_fd = -1;
    int64_t m_size = 0;
};

// How a transfer's start failed; the operations map these to their results.
enum TransferStart {
    kReady = 0,
    kNoLocalPort = 1,
    kModeRefused = 2,
    kCommandRefused = 3,
    kNoDataConnection = 4,
};

bool NotImplemented(int code)
{
    return code == 500 || code == 502;
}
}

int32_t CFtpClient::CDataConnection::OnSendProgress(int64_t total)
{
    if (progress)
        progress(total, fileSize);
    return CSocketClient::OnSendProgress(total);
}

CFtpClient::CFtpClient()
    : m_nextDataPort(MillisecondsSinceBoot() + kFirstDataPort)
{
    SetReceiveTimeout(m_silenceMs);
}

CFtpClient::~CFtpClient()
{
    ClearEntries();
    Quit();
}

void CFtpClient::ParseUnixEntry(FtpDirEntry& entry)
{
    entry = ParseUnixLine(m_listingLine, CurrentYear());
}

void CFtpClient::ParseDosEntry(FtpDirEntry& entry)
{
    entry = ParseDosLine(m_listingLine);
}

int CFtpClient::Login(const char* host, const char* user, const char* password, const char* account)
{
    Quit();
    const char* address = host;
    char resolved[kHostAddressCapacity] = {};
    if (!IsDottedAddress(host)) {
        if (ResolveHost(host, resolved, sizeof resolved) != 0)
            return 1;
        address = resolved;
    }
    StartOperation();
    if (m_control.Connect(m_port, address, AF_INET, SOCK_STREAM) != 0)
        return 2;

    const int greeting = ReceiveReply();
    if (greeting == 0)
        return 3;
    if (!IsIn(greeting, 200, 399))
        return 4;
    m_host = host;
    if (const int negotiated = NegotiateTls(host); negotiated != 0)
        return negotiated;

    const int userReply = SendCommand("USER %s\r\n", user) ? ReceiveReply() : 0;
    if (userReply == 0)
        return 5;
    if (!IsIn(userReply, 200, 299)) {
        if (!IsIn(userReply, 300, 399))
            return 6;
        const int passReply = SendCommand("PASS %s\r\n", password) ? ReceiveReply() : 0;
        if (passReply == 0)
            return 7;
        if (passReply == 300) {
            const int accountReply = SendCommand("ACCT %s\r\n", account) ? ReceiveReply() : 0;
            if (accountReply == 0)
                return 9;
            if (!IsIn(accountReply, 200, 399))
                return 10;
        } else if (!IsIn(passReply, 200, 399)) {
            return 8;
        }
    }

    ProtectData();
    // The server's answers to these settings are not judged.
    for (const char* setting : {"TYPE A\r\n", "MODE S\r\n", "STRU F\r\n"}) {
        if (SendCommand(setting))
            ReceiveReply();
    }
    return 0;
}

int CFtpClient::Quit()
{
    m_control.Send("Quit\r\n", 0);
    m_control.Close();
    m_data.Close();
    m_controlLines.Clear();
    m_protectData = false;
    m_noRename = false;
    m_staleRepliesOwed = false;
    return 0;
}

int CFtpClient::Noop()
{
    StartOperation();
    const int code = SendCommand("NOOP\r\n") ? ReceiveReply() : 0;
    return code == 0 ? 1 : IsIn(code, 200, 299) ? 0 : 2;
}

int CFtpClient::SetType(int code)
{
    if (code != 0 && code != 1)
        return 1;
    StartOperation();
    const int reply = SendCommand(code == 0 ? "TYPE A\r\n" : "TYPE I\r\n") ? ReceiveReply() : 0;
    return reply == 0 ? 2 : IsIn(reply, 200, 299) ? 0 : 3;
}

int CFtpClient::ChangeDir(const char* folder)
{
    StartOperation();
    const int code = SendCommand("CWD %s\r\n", folder) ? ReceiveReply() : 0;
    return code == 0 ? 1 : IsIn(code, 200, 299) ? 0 : 2;
}

int CFtpClient::ChangeDirUp()
{
    StartOperation();
    const int code = SendCommand("CDUP\r\n") ? ReceiveReply() : 0;
    return code == 0 ? 1 : IsIn(code, 200, 299) ? 0 : IsIn(code, 500, 599) ? 2 : 3;
}

int CFtpClient::List()
{
    StartOperation();
    int result = ListOnce();
    if (FallBackAfter(result == 2 ? kModeRefused : result == 3 ? kNoDataConnection : kReady))
        result = ListOnce();
    return result;
}

int CFtpClient::ListOnce()
{
    // The server's preliminary reply is read after the listing.
    const int started = StartTransfer("LIST\r\n", "", false, m_listWaitMs);
    if (started != kReady)
        return started == kNoDataConnection || started == kCommandRefused ? 3 : started;

    std::vector<FtpDirEntry> entries;
    const bool listed = ReceiveListing(entries);
    m_data.Close();
    int code = ReceiveReply();
    if (code < 200)
        code = ReceiveReply();
    if (!listed || !IsIn(code, 200, 299))
        return 4;
    m_entries.swap(entries);
    m_passiveWorked = m_passiveWorked || m_passive;
    return 0;
}

bool CFtpClient::ReceiveListing(std::vector<FtpDirEntry>& entries)
{
    using Status = CFtpLineReader::Status;
    CFtpLineReader lines(m_data);
    lines.LimitBytes(kListingByteLimit);
    bool totalSkipped = false;
    const char* line = nullptr;
    for (;;) {
        const Status status = lines.Next(line, m_deadline, m_silenceMs);
        if (status != Status::Line) {
            if (status == Status::Exceeded)
                Abandon();
            return status == Status::Closed;
        }
        if (!totalSkipped && strncasecmp(line, "total", 5) == 0) {
            totalSkipped = true;
            continue;
        }
        if (entries.size() == kListingEntryLimit) {
            Abandon();
            return false;
        }
        FtpDirEntry entry;
        m_listingLine = line;
        if (std::isdigit(static_cast<unsigned char>(line[0])) != 0)
            ParseDosEntry(entry);
        else
            ParseUnixEntry(entry);
        m_listingLine = "";
        entries.push_back(entry);
    }
}

int CFtpClient::PutFile(const char* localPath, const char* remoteName)
{
    // A file that cannot be read must not cost the server its published copy.
    const UploadFile file(localPath);
    if (file.Descriptor() < 0 || remoteName == nullptr)
        return 5;
    int64_t sent = 0;
    if (!m_replaceInOneStep || m_noRename)
        return Store(file.Descriptor(), file.Size(), remoteName, sent);

    // Hidden, beside the published file: the rename cannot cross folders.
    const std::string temporary = std::string(".") + remoteName + ".part";
    int result = Store(file.Descriptor(), file.Size(), temporary.c_str(), sent);
    int64_t held = 0;
    if (result == 0 && RemoteSize(temporary.c_str(), held) && held != sent)
        result = 5;
    if (result == 0) {
        const int published = Publish(temporary, remoteName);
        if (published == 0)
            return 0;
        if (published == 3)
            // The published file is gone: the temporary one is the only copy left.
            return 5;
        Command("DELE %s\r\n", temporary.c_str());
        if (published == 2)
            return 5;
        // A server without rename gets the file straight over the old one.
        m_noRename = true;
        return Store(file.Descriptor(), file.Size(), remoteName, sent);
    }
    // The published file stays as it was; the half-sent copy goes.
    Command("DELE %s\r\n", temporary.c_str());
    return result;
}

int CFtpClient::Store(int fd, int64_t size, const char* remoteName, int64_t& sent)
{
    StartOperation();
    int result = StoreOnce(fd, size, remoteName, sent);
    if (FallBackAfter(result))
        result = StoreOnce(fd, size, remoteName, sent);
    return result;
}

int CFtpClient::StoreOnce(int fd, int64_t size, const char* remoteName, int64_t& sent)
{
    sent = 0;
    const int started = StartTransfer("STOR %s\r\n", remoteName, true, m_putWaitMs);
    if (started != kReady)
        return started;

    m_data.fileSize = size;
    // A second try sends the file from its start again.
    const int sending = lseek(fd, 0, SEEK_SET) == 0 ? m_data.SendFileFrom(fd, sent) : 1;
    // The end of the stream tells the server the file has ended; the server
    // closing its side says it has read it all.
    m_data.FinishSending();
    m_data.Close();
    // The transfer had no overall limit; its final reply has one of its own.
    StartOperation();
    const int code = ReceiveReply();
    if (sending != 0 || !IsIn(code, 200, 299))
        return 5;
    m_passiveWorked = m_passiveWorked || m_passive;
    return 0;
}

int CFtpClient::Publish(const std::string& temporary, const char* remoteName)
{
    const int from = Command("RNFR %s\r\n", temporary.c_str());
    if (NotImplemented(from))
        return 1;
    if (!IsIn(from, 300, 399))
        return 2;
    const int to = Command("RNTO %s\r\n", remoteName);
    if (IsIn(to, 200, 299))
        return 0;
    if (NotImplemented(to))
        return 1;
    if (to == 0)
        return 2;
    // Some servers will not rename over an existing file: remove it first
    // (the name is missing for that short gap), then rename again.
    if (!IsIn(Command("DELE %s\r\n", remoteName), 200, 299))
        return 2;
    if (!IsIn(Command("RNFR %s\r\n", temporary.c_str()), 300, 399))
        return 3;
    return IsIn(Command("RNTO %s\r\n", remoteName), 200, 299) ? 0 : 3;
}

bool CFtpClient::RemoteSize(const char* name, int64_t& size)
{
    // Servers without SIZE cannot be checked; the 226 stands alone then.
    return Command("SIZE %s\r\n", name) == 213 && ParseSizeReply(m_lastReplyLine.c_str(), size);
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
    StartOperation();
    return ReceiveReply();
}

int CFtpClient::ReceiveReply()
{
    using Status = CFtpLineReader::Status;
    m_controlLines.LimitBytes(kReplyByteLimit);
    const char* line = nullptr;
    if (NextReplyLine(line) != Status::Line)
        return 0;
    m_lastReplyLine = line;
    const int code = ReplyCode(line);
    if (std::strlen(line) > 3 && line[3] == '-') {
        // Several lines: they run to the one that starts with the same three
        // characters and a space.
        const char opening[4] = {line[0], line[1], line[2], '\0'};
        Status status = Status::Line;
        while ((status = NextReplyLine(line)) == Status::Line) {
            if (std::strncmp(line, opening, 3) == 0 && line[3] == ' ')
                break;
        }
        // A reply cut off by a passed limit is no reply.
        if (status == Status::Exceeded)
            return 0;
    }
    return code;
}

CFtpLineReader::Status CFtpClient::NextReplyLine(const char*& line)
{
    const CFtpLineReader::Status status = m_controlLines.Next(line, m_deadline, m_silenceMs);
    if (status == CFtpLineReader::Status::Exceeded)
        Abandon();
    return status;
}

void CFtpClient::StartOperation()
{
    m_deadline = Clock::now() + std::chrono::milliseconds(m_operationLimitMs);
}

void CFtpClient::Abandon()
{
    m_control.Close();
    m_data.Close();
    m_controlLines.Clear();
}

void CFtpClient::DiscardControlInput()
{
    // Stale replies must not answer later commands.
    m_control.DrainInput();
    m_controlLines.Clear();
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
    m_silenceMs = milliseconds;
    m_control.SetReceiveTimeout(milliseconds);
    m_data.SetReceiveTimeout(milliseconds);
    // An upload that has not moved a byte for this long has stalled.
    m_data.SetSendTimeout(milliseconds);
}

void CFtpClient::SetOperationLimit(int32_t milliseconds)
{
    m_operationLimitMs = milliseconds;
}

void CFtpClient::SetNextDataPort(int32_t port)
{
    m_nextDataPort = port;
}

void CFtpClient::SetPutProgress(PutProgressFunction function)
{
    m_data.progress = std::move(function);
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

    const int code = SendCommand("PORT %s\r\n", hostAndPort) ? ReceiveModeReply() : 0;
    if (!IsIn(code, 200, 299)) {
        m_data.Close();
        return 2;
    }
    return 0;
}

bool CFtpClient::AwaitDataConnection(int32_t milliseconds)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - Clock::now()).count();
    const auto wait = static_cast<int32_t>(std::clamp<int64_t>(left, 0, milliseconds));
    // Only the server may connect: anyone else could inject a listing or take the file.
    if (m_data.AcceptFrom(m_control.GetPeerRecord().sin_addr, wait) == 0)
        return true;
    if (Clock::now() >= m_deadline)
        Abandon();
    return false;
}

void CFtpClient::SetDataMode(FtpDataMode mode)
{
    m_dataMode = mode;
    m_passive = mode == FtpDataMode::PassiveFirst || mode == FtpDataMode::PassiveOnly;
}

void CFtpClient::SetSecurity(FtpSecurity security)
{
    m_security = security;
}

void CFtpClient::SetCertificateCheck(FtpCertificateCheck check)
{
    m_certificateCheck = std::move(check);
}

void CFtpClient::SetReplaceInOneStep(bool replace)
{
    m_replaceInOneStep = replace;
}

bool CFtpClient::Secure() const
{
    return m_control.Tls() != nullptr;
}

int CFtpClient::NegotiateTls(const char* host)
{
    if (m_security == FtpSecurity::Plain)
        return 0;
    if (Command("AUTH TLS\r\n") != 234) {
        // The plain dialogue goes on as if nothing had been asked.
        return m_security == FtpSecurity::TlsRequired ? 11 : 0;
    }
    // Whatever came in the clear after 234 must not pass for a protected reply.
    m_controlLines.Clear();
    // Sessions of an earlier server are no use here.
    m_tls = std::make_unique<CTlsContext>();
    if (m_control.StartTls(*m_tls, host) != 0) {
        m_control.Close();
        return 12;
    }
    const CTlsChannel& channel = *m_control.Tls();
    if (!channel.Verified()
        && !(m_certificateCheck && m_certificateCheck(FtpCertificate{host, channel.Fingerprint()}))) {
        // Refused: not even the farewell goes out.
        m_control.Close();
        return 13;
    }
    return 0;
}

void CFtpClient::ProtectData()
{
    m_protectData = false;
    if (!Secure())
        return;
    // PBSZ must come first; with TLS it is always 0.
    Command("PBSZ 0\r\n");
    m_protectData = IsIn(Command("PROT P\r\n"), 200, 299);
}

int CFtpClient::OpenPassiveConnection()
{
    uint16_t port = 0;
    if (SendCommand("EPSV\r\n") && ReceiveModeReply() == 229) {
        if (!ParseExtendedPassiveReply(m_lastReplyLine.c_str(), port))
            return 2;
    } else {
        FtpPassiveAddress address;
        if (!SendCommand("PASV\r\n") || ReceiveModeReply() != 227 || !ParsePassiveReply(m_lastReplyLine.c_str(), address))
            return 2;
        // The address in the reply is not trusted: a server (or whoever
        // speaks for it) must not send us elsewhere. Only the port counts.
        port = address.port;
    }
    char peer[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &m_control.GetPeerRecord().sin_addr, peer, sizeof peer);
    return m_data.Connect(port, peer, AF_INET, SOCK_STREAM) == 0 ? 0 : 3;
}

int CFtpClient::StartTransfer(const char* format, const char* argument, bool readsPreliminary, int32_t waitMs)
{
    if (m_passive) {
        const int opened = OpenPassiveConnection();
        if (opened != 0) {
            m_data.Close();
            return opened == 2 ? kModeRefused : kNoDataConnection;
        }
    } else if (const int opened = OpenDataPort(); opened != 0) {
        return opened;
    }

    if (!SendCommand(format, argument)) {
        m_data.Close();
        return readsPreliminary ? kCommandRefused : kNoDataConnection;
    }
    if (readsPreliminary) {
        // In active mode some servers answer only once they have tried to
        // connect: silence for the data wait, or 425, means they could not.
        const bool silent = !m_passive && m_control.WaitReadable(waitMs / 1000, waitMs % 1000 * 1000) != 0
            && m_data.WaitIncoming(0) != 0;
        const int reply = silent ? 0 : ReceiveReply();
        if (silent || reply == 425) {
            m_data.Close();
            m_staleRepliesOwed = silent;
            return kNoDataConnection;
        }
        if (!IsIn(reply, 100, 299)) {
            m_data.Close();
            return kCommandRefused;
        }
    }
    const bool connected = m_passive || AwaitDataConnection(waitMs);
    // Data over TLS: we are the TLS client whoever connected, offering the
    // control connection's session, and the server must show the same certificate.
    const bool secured = connected
        && (!m_protectData
            || (m_data.StartTls(*m_tls, m_host.c_str(), true) == 0
                && m_data.Tls()->Fingerprint() == m_control.Tls()->Fingerprint()));
    if (!secured) {
        m_data.Close();
        DiscardControlInput();
        m_staleRepliesOwed = true;
        return kNoDataConnection;
    }
    return kReady;
}

bool CFtpClient::FallBackAfter(int startResult)
{
    if (startResult != kModeRefused && startResult != kNoDataConnection)
        return false;
    if (m_dataMode != FtpDataMode::ActiveFirst && m_dataMode != FtpDataMode::PassiveFirst)
        return false;
    // The mode that failed is not tried again in this session.
    m_passive = !m_passive;
    m_dataMode = m_passive ? FtpDataMode::PassiveOnly : FtpDataMode::ActiveOnly;
    return true;
}

int CFtpClient::Command(const char* format, const char* argument)
{
    return SendCommand(format, argument) ? ReceiveReply() : 0;
}

int CFtpClient::ReceiveModeReply()
{
    int code = ReceiveReply();
    if (m_staleRepliesOwed) {
        while (code == 425 || code == 426 || IsIn(code, 100, 199))
            code = ReceiveReply();
        m_staleRepliesOwed = false;
    }
    return code;
}
