#pragma once

#include "ServerProcess.h"

#include <string>
#include <vector>

// pyftpdlib on 127.0.0.1 (ephemeral port) serving `home` to one user with
// full rights: name kUser, password kPassword.
class PyFtpServer
{
public:
    static constexpr const char* kUser = "publisher";
    static constexpr const char* kPassword = "s3cret";

    explicit PyFtpServer(const std::string& home);
    // With faults named as faulty-ftp-server.py takes them ("cut-upload", ...).
    PyFtpServer(const std::string& home, const std::vector<std::string>& faults);

    // 0 when the server did not start.
    int Port() const { return m_process.Port(); }

private:
    ServerProcess m_process;
};
