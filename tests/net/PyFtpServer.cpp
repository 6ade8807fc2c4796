#include "PyFtpServer.h"

PyFtpServer::PyFtpServer(const std::string& home)
    : m_process({"/usr/bin/python3", FTP_SERVER_SCRIPT, kUser, kPassword, home}, "port ")
{
}

namespace {
std::vector<std::string> FaultyCommand(const std::string& home, const std::vector<std::string>& faults)
{
    std::vector<std::string> argv{"/usr/bin/python3", FAULTY_FTP_SERVER_SCRIPT, PyFtpServer::kUser,
                                  PyFtpServer::kPassword, home};
    argv.insert(argv.end(), faults.begin(), faults.end());
    return argv;
}
}

PyFtpServer::PyFtpServer(const std::string& home, const std::vector<std::string>& faults)
    : m_process(FaultyCommand(home, faults), "port ")
{
}
