#!/usr/bin/python3
# pyftpdlib on 127.0.0.1 with faults chosen on the command line, for the tests
# of how the FTP client copes. The first line on stdout is "port N".
# usage: faulty-ftp-server.py USER PASSWORD HOME FAULT...
#   cut-upload      drops an upload's data connection after 64 KiB (426)
#   no-rename       RNFR and RNTO are unknown commands
#   refuse-port     PORT and EPRT are unknown commands
#   silent-port     PORT is acknowledged but the server never connects
#   no-epsv         EPSV is an unknown command, so PASV is used
#   pasv-elsewhere  PASV names 127.0.0.2, where nothing listens
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

logging.basicConfig(level=logging.WARNING)
user, password, home = sys.argv[1:4]
faults = set(sys.argv[4:])

CUT_AFTER = 64 * 1024


class CuttingDTPHandler(DTPHandler):
    def handle_read(self):
        super().handle_read()
        if self.receive and not self._closed and self.tot_bytes_received >= CUT_AFTER:
            self._resp = ("426 Connection closed; transfer aborted.", logging.info)
            self.close()

    handle_read_event = handle_read


class Handler(FTPHandler):
    proto_cmds = FTPHandler.proto_cmds.copy()

    def ftp_PORT(self, line):
        if "silent-port" in faults:
            self.respond("200 PORT command successful.")
            return
        return super().ftp_PORT(line)


unknown = set()
if "no-rename" in faults:
    unknown |= {"RNFR", "RNTO"}
if "refuse-port" in faults:
    unknown |= {"PORT", "EPRT"}
if "no-epsv" in faults:
    unknown |= {"EPSV"}
for command in unknown:
    del Handler.proto_cmds[command]
if "cut-upload" in faults:
    Handler.dtp_handler = CuttingDTPHandler
if "pasv-elsewhere" in faults:
    Handler.masquerade_address = "127.0.0.2"

authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm="elradfmwMT")
Handler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), Handler)
print("port %d" % server.address[1], flush=True)
server.serve_forever()
