#include "PyFtpServer.h"

namespace {
// Logging goes to stderr; the first line on stdout announces the port.
const char* const kServe = R"(
import logging, sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
logging.basicConfig(level=logging.WARNING)
authorizer = DummyAuthorizer()
authorizer.add_user(sys.argv[1], sys.argv[2], sys.argv[3], perm="elradfmwMT")
FTPHandler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), FTPHandler)
print("port %d" % server.address[1], flush=True)
server.serve_forever()
)";
}

PyFtpServer::PyFtpServer(const std::string& home)
    : m_process({"/usr/bin/python3", "-c", kServe, kUser, kPassword, home}, "port ")
{
}
