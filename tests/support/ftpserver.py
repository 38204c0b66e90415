#!/usr/bin/python3
"""A loopback FTP server for the tests: serves ROOT to one user on a free
port of 127.0.0.1 and prints that port on its first line of output."""
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer


class NoActiveHandler(FTPHandler):
    """Refuses active mode, as a server that cannot reach the client would."""

    def ftp_PORT(self, line):
        self.respond("501 Active mode is not possible here.")

    def ftp_EPRT(self, line):
        self.respond("501 Active mode is not possible here.")


def exit_with_parent():
    """The test holds our standard input open; its end means the test is gone."""
    sys.stdin.read()
    os._exit(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--refuse-active", action="store_true")
    args = parser.parse_args()

    config_logging(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")
    handler = NoActiveHandler if args.refuse_active else FTPHandler
    handler.authorizer = authorizer
    handler.banner = "Meridan test server"
    server = FTPServer(("127.0.0.1", 0), handler)
    server.max_cons = 32
    print(server.address[1], flush=True)
    sys.stdout.close()
    threading.Thread(target=exit_with_parent, daemon=True).start()
    server.serve_forever(timeout=0.5)


if __name__ == "__main__":
    main()
