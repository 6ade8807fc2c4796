#!/usr/bin/python3
# An FTP server for the tests, the benchmarks and the demo: pyftpdlib on
# 127.0.0.1 serving HOME to one user with full rights. The first line on
# stdout is "port N"; logging goes to stderr.
# usage: serve.py USER PASSWORD HOME
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

logging.basicConfig(level=logging.WARNING)
user, password, home = sys.argv[1:4]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm="elradfmwMT")
FTPHandler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), FTPHandler)
print("port %d" % server.address[1], flush=True)
server.serve_forever()
