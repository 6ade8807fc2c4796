#pragma once

#include "FtpDirEntry.h"
#include "SocketClient.h"

#include <cstdint>
#include <vector>

// A blocking FTP client: one control connection, and an active-mode data
// connection (we listen, the server connects) for each listing or upload.
// Results are small codes, 0 for success; nothing throws.
class CFtpClient
{
public:
    CFtpClient();
    CFtpClient(const CFtpClient&) = delete;
    CFtpClient& operator=(const CFtpClient&) = delete;

    virtual void ParseUnixEntry(FtpDirEntry& entry);
    virtual void ParseDosEntry(FtpDirEntry& entry);
    // Logs out as it goes.
    virtual ~CFtpClient();
    // 0 listed; 1 no local data port; 2 PORT refused; 3 the server did not
    // connect in time; 4 the final reply was not 200 to 299.
    virtual int List();

    // 0 logged in; 1 unknown host; 2 no control connection; 3 no greeting;
    // 4 greeting not 200 to 399; 5/6 no or a bad reply to USER; 7/8 to PASS;
    // 9/10 to ACCT.
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
    // server did not connect in time; 5 the transfer did not complete.
    int PutFile(const char* localPath, const char* remoteName);

    int GetEntryCount() const;
    // 0 copied; 1 no such entry.
    int GetEntry(int index, FtpDirEntry& entry) const;
    void ClearEntries();

    // The code of the next reply, or 0 when no line came.
    int ReadReply();

    // The server's control port, 21 unless changed.
    void SetPort(int32_t port);
    // How long the server has to connect back: 15 s for a listing, 5 s for an upload.
    void SetDataWaits(int32_t listMilliseconds, int32_t putMilliseconds);
    // Bounds every reply and listing line read (and the data connection's sends).
    void SetReceiveTimeout(int32_t milliseconds);
    // The next local port a transfer listens on; it wraps from above 32000 to 10000.
    void SetNextDataPort(int32_t port);

private:
    // Composes a command around `argument` and sends it. False when it cannot
    // go out whole: too long, a line break inside the argument, or no connection.
    bool SendCommand(const char* format, const char* argument = "");
    // One line into the work buffer, without its line end; false when none came.
    bool ReadLine(CSocketClient& connection);
    // Listens on the next free data port and announces it. 0, 1 or 2 as for List.
    int OpenDataPort();
    // Waits for the server's data connection. False when none came in time.
    bool AwaitDataConnection(int32_t milliseconds);
    int32_t LineWaitSeconds() const;

    CSocketClient m_control;
    CSocketClient m_data;
    int32_t m_nextDataPort = 0;
    std::vector<FtpDirEntry> m_entries;
    // Replies and listing lines come in through this; longer lines come in pieces.
    char m_buffer[256] = {};
    // Commands carry names of up to 255 characters.
    char m_command[512] = {};
    int32_t m_port = 21;
    int32_t m_listWaitMs = 15000;
    int32_t m_putWaitMs = 5000;
};
