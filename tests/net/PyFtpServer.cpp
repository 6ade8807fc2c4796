#include "PyFtpServer.h"

PyFtpServer::PyFtpServer(const std::string& home)
    : m_process({"/usr/bin/python3", FTP_SERVER_SCRIPT, kUser, kPassword, home}, "port ")
{
}
