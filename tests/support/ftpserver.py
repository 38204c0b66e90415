#!/usr/bin/python3
"""A loopback FTP server for the tests: serves ROOT to one user on a free
port of 127.0.0.1 and prints that port on its first line of output. With
--tls it asks for TLS before the login, with a throw-away certificate whose
SHA-256 fingerprint it prints on its second line."""
import argparse
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer

from parentwatch import exit_when_parent_ends


class NoActiveHandler(FTPHandler):
    """Refuses active mode, as a server that cannot reach the client would."""

    def ftp_PORT(self, line):
        self.respond("501 Active mode is not possible here.")

    def ftp_EPRT(self, line):
        self.respond("501 Active mode is not possible here.")


def tls_handler(folder, implicit):
    """A handler that requires TLS, with a fresh self-signed certificate."""
    from OpenSSL import SSL, crypto
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

    class PatientDTPHandler(TLS_DTPHandler):
        """Waits for the command instead of closing a data connection whose
        client starts TLS before it sends the command, as libcurl does."""

        def readable(self):
            if self._ssl_accepting:
                return True
            if not self.receive and not self._initialized:
                return False
            return super().readable()

    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    certificate = crypto.X509()
    certificate.get_subject().CN = "meridan-test"
    certificate.set_serial_number(1)
    certificate.gmtime_adj_notBefore(-3600)
    certificate.gmtime_adj_notAfter(86400)
    certificate.set_issuer(certificate.get_subject())
    certificate.set_pubkey(key)
    certificate.sign(key, "sha256")
    path = os.path.join(folder, "server.pem")
    with open(path, "wb") as out:
        out.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
        out.write(crypto.dump_certificate(crypto.FILETYPE_PEM, certificate))
    context = SSL.Context(SSL.TLS_SERVER_METHOD)
    context.use_certificate_chain_file(path)
    context.use_privatekey_file(path)
    # Lets the data connections resume the control connection's session.
    context.set_session_id(b"meridan-test")
    class ImplicitTLSHandler(TLS_FTPHandler):
        """ftps://: TLS from the first byte, before the banner."""

        def handle(self):
            self.secure_connection(self.ssl_context)
            super().handle()

    handler = ImplicitTLSHandler if implicit else TLS_FTPHandler
    handler.certfile = path
    handler.ssl_context = context
    handler.dtp_handler = PatientDTPHandler
    handler.tls_control_required = True
    handler.tls_data_required = True
    return handler, certificate.digest("sha256").decode()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--refuse-active", action="store_true")
    parser.add_argument("--tls", metavar="FOLDER", help="where the certificate is written")
    parser.add_argument("--implicit", action="store_true", help="TLS from the start")
    args = parser.parse_args()

    config_logging(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elr")
    handler = NoActiveHandler if args.refuse_active else FTPHandler
    fingerprint = None
    if args.tls:
        handler, fingerprint = tls_handler(args.tls, args.implicit)
    handler.authorizer = authorizer
    handler.banner = "Meridan test server"
    server = FTPServer(("127.0.0.1", 0), handler)
    server.max_cons = 32
    print(server.address[1], flush=True)
    if fingerprint:
        print(fingerprint, flush=True)
    sys.stdout.close()
    exit_when_parent_ends()
    server.serve_forever(timeout=0.5)


if __name__ == "__main__":
    main()
