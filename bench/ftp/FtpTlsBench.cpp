// Logs in to an FTP server on 127.0.0.1 over TLS and uploads a file as the
// upload dialog does: binary type, TLS on the data connection, the file
// stored under a temporary name and renamed. Passive, as curl is by default.
// The server's certificate is accepted unasked (loopback only). The runner
// times the whole process, as it times curl's.
#include "FtpClient.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: bench_ftp_put_tls PORT USER PASSWORD FILE REMOTE_NAME\n");
        return 2;
    }
    CFtpClient client;
    client.SetPort(std::atoi(argv[1]));
    client.SetSecurity(FtpSecurity::TlsRequired);
    client.SetCertificateCheck([](const FtpCertificate&) { return true; });
    client.SetDataMode(FtpDataMode::PassiveOnly);
    client.SetReplaceInOneStep(true);
    if (const int login = client.Login("127.0.0.1", argv[2], argv[3], ""); login != 0) {
        std::fprintf(stderr, "login failed: %d\n", login);
        return 1;
    }
    client.SetType(1);
    if (const int put = client.PutFile(argv[4], argv[5]); put != 0) {
        std::fprintf(stderr, "PutFile failed: %d\n", put);
        return 1;
    }
    return 0;
}
