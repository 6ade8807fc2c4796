#pragma once

#include "ServerProcess.h"

#include <string>

// pyftpdlib on 127.0.0.1 (ephemeral port) serving `home` to one user with
// full rights: name kUser, password kPassword.
class PyFtpServer
{
public:
    static constexpr const char* kUser = "publisher";
    static constexpr const char* kPassword = "s3cret";

    explicit PyFtpServer(const std::string& home);

    // 0 when the server did not start.
    int Port() const { return m_process.Port(); }

private:
    ServerProcess m_process;
};
