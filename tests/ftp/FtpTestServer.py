"""A local FTP server for the FTP tests and benchmarks.

Listens on 127.0.0.1 at a port the system chooses, prints "PORT <n>" once it accepts
connections, and appends every command line it receives to the log file. Users: "kv" with the
password "hemligt" (all rights) and "anonymous" (read only), both at the root folder.

A download of a file whose name ends in ".halvt" sends the first half of the file and then
fails. --rate limits every data connection to that many bytes a second.
"""

import argparse
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


class HalfFile:
    """A file that fails to read beyond its first half."""

    def __init__(self, fd):
        self._fd = fd
        self.name = fd.name
        self._left = os.fstat(fd.fileno()).st_size // 2

    def read(self, size=-1):
        if self._left <= 0:
            raise OSError(5, "simulated read failure")
        data = self._fd.read(min(size, self._left) if size >= 0 else self._left)
        self._left -= len(data)
        return data

    def __getattr__(self, name):
        return getattr(self._fd, name)


class LoggingHandler(FTPHandler):
    log_path = None
    banner = "Kelvora test server ready."
    auth_failed_timeout = 0.1

    def pre_process_command(self, line, cmd, arg):
        with open(self.log_path, "a", encoding="utf-8", errors="surrogateescape") as log:
            log.write(line + "\n")
        return super().pre_process_command(line, cmd, arg)

    def ftp_RETR(self, file):
        if file.endswith(".halvt"):
            real_open = self.fs.open

            def half_open(path, mode):
                return HalfFile(real_open(path, mode))

            self.fs.open = half_open
            self.use_sendfile = False
            try:
                return super().ftp_RETR(file)
            finally:
                self.fs.open = real_open
                self.use_sendfile = type(self).use_sendfile
        return super().ftp_RETR(file)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--rate", type=int, default=0)
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user("kv", "hemligt", args.root, perm="elradfmwMT")
    authorizer.add_anonymous(args.root)
    LoggingHandler.authorizer = authorizer
    LoggingHandler.log_path = args.log
    if args.rate > 0:
        ThrottledDTPHandler.read_limit = args.rate
        ThrottledDTPHandler.write_limit = args.rate
        LoggingHandler.dtp_handler = ThrottledDTPHandler

    server = FTPServer(("127.0.0.1", 0), LoggingHandler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    sys.exit(main())
