#pragma once

#include "FtpDirEntry.h"
#include "FtpLineReader.h"
#include "FtpSessionOptions.h"
#include "SocketClient.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CTlsContext;

// A blocking FTP client: one control connection, and a data connection for
// each listing or upload, active (we listen, the server connects) unless told
// otherwise. Optionally over TLS, and optionally publishing an upload under a
// temporary name first. Results are small codes, 0 for success; nothing throws.
//
// Every control-channel operation (connect and login, a command with its
// whole reply, a listing) ends within the operation limit of its start; a
// reply may take 64 KiB from the wire, a listing 16 MiB and 100,000 entries.
// Past any of these both connections are closed and the step fails. An
// upload's data has no overall limit, only the silence limit.
class CFtpClient
{
public:
    // Bytes of the file sent so far and the file's size.
    using PutProgressFunction = std::function<void(int64_t sent, int64_t size)>;

    CFtpClient();
    CFtpClient(const CFtpClient&) = delete;
    CFtpClient& operator=(const CFtpClient&) = delete;

    // Parse the listing line being read.
    virtual void ParseUnixEntry(FtpDirEntry& entry);
    virtual void ParseDosEntry(FtpDirEntry& entry);
    // Logs out as it goes.
    virtual ~CFtpClient();
    // 0 listed; 1 no local data port; 2 PORT refused; 3 the server did not
    // connect in time; 4 the listing or its final reply failed. Only a
    // listing that succeeded replaces the entries.
    virtual int List();

    // 0 logged in; 1 unknown host; 2 no control connection; 3 no greeting;
    // 4 greeting not 200 to 399; 5/6 no or a bad reply to USER; 7/8 to PASS;
    // 9/10 to ACCT; 11 no TLS offered while it is required; 12 the TLS
    // handshake failed; 13 the certificate was refused (nothing more was sent).
    int Login(const char* host, const char* user, const char* password, const char* account);
    // Sends the farewell without waiting and closes both connections. Always 0.
    int Quit();
    // 0 reply 200 to 299; 1 no reply; 2 any other.
    int Noop();
    // Code 0 is ASCII, 1 image. 0 reply 200 to 299; 1 bad code; 2 no reply; 3 any other.
    int SetType(int code);
    // 0 reply 200 to 299; 1 no reply; 2 any other.
    int ChangeDir(const char* folder);
    // 0 reply 200 to 299; 1 no reply; 2 reply 500 to 599; 3 any other.
    int ChangeDirUp();
    // 0 stored; 1 no local data port; 2 PORT refused; 3 STOR refused; 4 the
    // server did not connect in time; 5 the transfer did not complete, or the
    // local file cannot be read (then nothing is sent at all). When replacing
    // in one step, a failure leaves `remoteName` as it was.
    int PutFile(const char* localPath, const char* remoteName);

    int GetEntryCount() const;
    // 0 copied; 1 no such entry.
    int GetEntry(int index, FtpDirEntry& entry) const;
    void ClearEntries();

    // The code of the next reply, or 0 when none came whole.
    int ReadReply();

    // The server's control port, 21 unless changed.
    void SetPort(int32_t port);
    // How long the server has to connect back: 15 s for a listing, 5 s for an upload.
    void SetDataWaits(int32_t listMilliseconds, int32_t putMilliseconds);
    // The longest silence on either connection: 30 s unless changed.
    void SetReceiveTimeout(int32_t milliseconds);
    // The longest one control-channel operation may take: 60 s unless changed.
    void SetOperationLimit(int32_t milliseconds);
    // The next local port a transfer listens on; it wraps from above 32000 to 10000.
    void SetNextDataPort(int32_t port);
    // Called as an upload's data goes out.
    void SetPutProgress(PutProgressFunction function);

    // Defaults: active only, plain, STOR straight over the remote name.
    void SetDataMode(FtpDataMode mode);
    void SetSecurity(FtpSecurity security);
    // Asked during Login about a certificate that does not verify; without a
    // check such a certificate is refused.
    void SetCertificateCheck(FtpCertificateCheck check);
    // Uploads go to a hidden name beside the remote one and are renamed over
    // it once the server holds the whole file.
    void SetReplaceInOneStep(bool replace);

    // The control connection runs over TLS.
    bool Secure() const;
    // Data connections run over TLS.
    bool DataProtected() const { return m_protectData; }
    // The next transfer opens its data connection in passive mode.
    bool Passive() const { return m_passive; }
    // A transfer of this session succeeded in passive mode.
    bool PassiveWorked() const { return m_passiveWorked; }

private:
    // The data connection, which reports an upload's progress to its client.
    class CDataConnection : public CSocketClient
    {
    public:
        int32_t OnSendProgress(int64_t total) override;
        PutProgressFunction progress;
        int64_t fileSize = 0;
    };

    // Starts the clock of one control-channel operation.
    void StartOperation();
    // Closes both connections after a limit was passed.
    void Abandon();
    // The next reply within the current operation; 0 when none came whole.
    int ReceiveReply();
    // One reply line; after a passed limit the connections are closed.
    CFtpLineReader::Status NextReplyLine(const char*& line);
    // The lines of a listing on the data connection; false when it did not
    // end well or passed a limit.
    bool ReceiveListing(std::vector<FtpDirEntry>& entries);
    // Composes a command around `argument` and sends it. False when it cannot
    // go out whole: too long, a line break inside the argument, or no connection.
    bool SendCommand(const char* format, const char* argument = "");
    // Listens on the next free data port and announces it. 0, 1 or 2 as for List.
    int OpenDataPort();
    // Waits for the server's data connection, within the operation's limit too.
    // False when none came in time.
    bool AwaitDataConnection(int32_t milliseconds);
    // Forgets control input that arrived unasked.
    void DiscardControlInput();

    // AUTH TLS and the certificate, before USER. 0 or a Login result.
    int NegotiateTls(const char* host);
    // PBSZ and PROT after login: data connections over TLS when accepted.
    void ProtectData();
    // Asks the server where to connect (EPSV, else PASV) and connects to the
    // control connection's peer at that port. 0, 2 refused, or 3 no connection.
    int OpenPassiveConnection();
    // Sends a transfer's command (LIST, STOR) and has its data connection
    // ready: 0 ready; 1/2 as OpenDataPort; 3 the command was refused; 4 no
    // data connection (or its TLS failed). `waitMs` bounds the server's
    // connection in active mode.
    int StartTransfer(const char* format, const char* argument, bool readsPreliminary, int32_t waitMs);
    // Whether a transfer that failed this way deserves the other mode.
    bool FallBackAfter(int startResult);
    int ListOnce();
    // Stores the open file `fd` of `size` bytes with the mode fallback;
    // `sent` counts what went out. Results as PutFile.
    int Store(int fd, int64_t size, const char* remoteName, int64_t& sent);
    int StoreOnce(int fd, int64_t size, const char* remoteName, int64_t& sent);
    // Renames the finished temporary file over the published one. 0 done;
    // 1 the server has no rename; 2 it failed, the published file untouched;
    // 3 it failed after the published file was deleted.
    int Publish(const std::string& temporary, const char* remoteName);
    // The size the server reports, when it reports one.
    bool RemoteSize(const char* name, int64_t& size);
    // Sends a command and reads its reply's code; 0 when either fails.
    int Command(const char* format, const char* argument = "");
    // The reply to a command that opens a data connection. After one that
    // never came, replies the abandoned transfer still owes (1xx, 425, 426)
    // are passed over.
    int ReceiveModeReply();

    CSocketClient m_control;
    CDataConnection m_data;
    int32_t m_nextDataPort = 0;
    std::vector<FtpDirEntry> m_entries;
    CFtpLineReader m_controlLines{m_control};
    // The listing line being parsed.
    const char* m_listingLine = "";
    // Commands carry names of up to 255 characters.
    char m_command[512] = {};
    int32_t m_port = 21;
    int32_t m_listWaitMs = 15000;
    int32_t m_putWaitMs = 5000;
    int32_t m_silenceMs = 30000;
    int32_t m_operationLimitMs = 60000;
    std::chrono::steady_clock::time_point m_deadline;
    // The last reply line read: where 227, 229 and 213 carry their numbers.
    std::string m_lastReplyLine;

    FtpDataMode m_dataMode = FtpDataMode::ActiveOnly;
    FtpSecurity m_security = FtpSecurity::Plain;
    FtpCertificateCheck m_certificateCheck;
    bool m_replaceInOneStep = false;
    std::unique_ptr<CTlsContext> m_tls;
    // The host as typed: what the certificates must name.
    std::string m_host;
    bool m_protectData = false;
    bool m_passive = false;
    bool m_passiveWorked = false;
    // The server answered RNFR as an unknown command: store straight over.
    bool m_noRename = false;
    // A data connection never came: the server may still answer for it.
    bool m_staleRepliesOwed = false;
};
