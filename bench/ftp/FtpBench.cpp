// Logs in to an FTP server on 127.0.0.1 and uploads a file with PutFile, as
// the upload dialog does (binary type, active data connection), after
// entering the folder given. Prints the seconds from login to the stored
// file, as curl's time_total counts its login and upload. With FTP_BENCH_TLS=1
// the dialogue and the data go over TLS, passive as curl is by default, the
// file stored under a temporary name and renamed, and the server's
// certificate accepted unasked (loopback only).
#include "FtpClient.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 6 && argc != 7) {
        std::fprintf(stderr, "usage: bench_ftp_put PORT USER PASSWORD FILE REMOTE_NAME [FOLDER]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    CFtpClient client;
    client.SetPort(std::atoi(argv[1]));
    if (const char* tls = std::getenv("FTP_BENCH_TLS"); tls != nullptr && std::strcmp(tls, "1") == 0) {
        client.SetSecurity(FtpSecurity::TlsRequired);
        client.SetCertificateCheck([](const FtpCertificate&) { return true; });
        client.SetDataMode(FtpDataMode::PassiveOnly);
        client.SetReplaceInOneStep(true);
    }
    if (const int login = client.Login("127.0.0.1", argv[2], argv[3], ""); login != 0) {
        std::fprintf(stderr, "login failed: %d\n", login);
        return 1;
    }
    if (argc == 7 && client.ChangeDir(argv[6]) != 0) {
        std::fprintf(stderr, "no folder %s\n", argv[6]);
        return 1;
    }
    client.SetType(1);
    if (const int put = client.PutFile(argv[4], argv[5]); put != 0) {
        std::fprintf(stderr, "PutFile failed: %d\n", put);
        return 1;
    }
    std::printf("%.4f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return 0;
}
