#!/usr/bin/python3
"""A misbehaving FTP server for the tests, on a free port of 127.0.0.1 (printed
on the first line). Logs in anyone, refuses active mode, and serves listings
and files the way --mode says:

  endless   a listing that never ends, as fast as the client reads
  drip      listings and files at two bytes a second
  dripfile  files at two bytes a second, listings at once
  stall     a listing or file that never sends a byte and never ends
  stallfile a file that never sends a byte, listings at once
  silent    accepts the connection and never says a word
  oddnames  a listing with names that are hard to read; a file's contents
            are the bytes of the name it was asked for
  reset     a file that is cut off by a reset after a few bytes
  big       files of --size bytes (sending --sent of them) at --rate bytes a
            second (0: at once), in pieces of a tenth of a second
"""
import argparse
import socket
import struct
import threading
import time

from parentwatch import exit_when_parent_ends

ODD_LISTING = (
    b"total 7\r\n"
    b"-rw-r--r-- 1 ftp ftp 5 Jan 01 12:00 plain.log\r\n"
    b"-rw-r--r-- 1 ftp ftp 5 Jan 01 12:00  leading space.log\r\n"
    b"-rw-r--r-- 1 ftp ftp 5 Jan 01 12:00 trailing space.log \r\n"
    b"-rw-r--r-- 1 ftp ftp 5 Jan 01 12:00 carriage\rreturn.log\r\n"
    b"-rw-r--r-- 1 ftp ftp 5 Jan 01 12:00 caf\xe9.log\r\n"
    b"drwxr-xr-x 2 ftp ftp 0 Jan 01 12:00 folder\r\n"
    b"this line is no listing\r\n"
    b"-rw-r--r-- 1 ftp ftp 5 Jan 01 12:00 last.log"
)


class Session(threading.Thread):
    def __init__(self, control, args):
        super().__init__(daemon=True)
        self.control = control
        self.args = args
        self.passive = None

    def reply(self, text):
        self.control.sendall(text.encode("latin-1") + b"\r\n")

    def run(self):
        try:
            if self.args.mode == "silent":
                time.sleep(3600)
            self.reply("220 hostile test server")
            buffer = b""
            while True:
                data = self.control.recv(4096)
                if not data:
                    return
                buffer += data
                while b"\r\n" in buffer:
                    line, buffer = buffer.split(b"\r\n", 1)
                    self.command(line)
        except OSError:
            pass
        finally:
            self.control.close()

    def command(self, line):
        verb, _, argument = line.partition(b" ")
        verb = verb.upper().decode("latin-1")
        simple = {"USER": "331 Password please.", "PASS": "230 Logged in.",
                  "PWD": '257 "/" is the current folder.', "CWD": "250 Okay.",
                  "TYPE": "200 Type set.", "NOOP": "200 Okay.", "REST": "350 Okay.",
                  "EPRT": "500 No active mode.", "PORT": "500 No active mode.",
                  "MDTM": "550 Not known.", "QUIT": "221 Bye."}
        if verb in simple:
            self.reply(simple[verb])
        elif verb in ("EPSV", "PASV"):
            self.open_passive(verb)
        elif verb == "SIZE":
            known = self.args.mode != "oddnames"
            self.reply("213 %d" % self.args.size if known else "502 SIZE is not known here.")
        elif verb in ("LIST", "NLST"):
            self.send_data(self.listing)
        elif verb == "RETR":
            self.send_data(lambda out: self.file(out, argument))
        else:
            self.reply("502 Not here.")

    def open_passive(self, verb):
        self.passive = socket.socket()
        self.passive.bind(("127.0.0.1", 0))
        self.passive.listen(1)
        port = self.passive.getsockname()[1]
        if verb == "EPSV":
            self.reply("229 Entering Extended Passive Mode (|||%d|)" % port)
        else:
            self.reply("227 Entering Passive Mode (127,0,0,1,%d,%d)" % (port >> 8, port & 255))

    def send_data(self, produce):
        if not self.passive:
            self.reply("425 Use EPSV first.")
            return
        self.reply("150 Here it comes.")
        data, _ = self.passive.accept()
        self.passive.close()
        self.passive = None
        try:
            if produce(data) is not False:
                data.close()
                self.reply("226 Done.")
        except OSError:
            data.close()

    def drip(self, out, payload):
        for i in range(len(payload)):
            out.sendall(payload[i:i + 1])
            time.sleep(0.5)

    def listing(self, out):
        mode = self.args.mode
        if mode == "endless":
            n = 0
            while True:
                out.sendall(b"".join(b"-rw-r--r-- 1 ftp ftp 5 Jan 01 12:00 file%09d.log\r\n" %
                                     (n + i) for i in range(1000)))
                n += 1000
        if mode == "drip":
            self.drip(out, ODD_LISTING * 1000)
        if mode == "stall":
            time.sleep(3600)
        if mode == "oddnames":
            out.sendall(ODD_LISTING)
        else:
            out.sendall(b"-rw-r--r-- 1 ftp ftp %d Jan 01 12:00 file.log\r\n" % self.args.size)

    def file(self, out, name):
        mode = self.args.mode
        if mode in ("drip", "dripfile"):
            self.drip(out, b"x" * 100000)
        if mode in ("stall", "stallfile"):
            time.sleep(3600)
        if mode == "oddnames":
            out.sendall(name.rsplit(b"/", 1)[-1])
        elif mode == "reset":
            out.sendall(b"x" * 1000)
            out.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            out.close()
            self.reply("426 Connection reset.")
            return False
        else:
            chunk = max(1, min(64 * 1024, self.args.rate // 10)) if self.args.rate else 64 * 1024
            left = self.args.sent
            while left > 0:
                piece = min(chunk, left)
                out.sendall(b"y" * piece)
                left -= piece
                if self.args.rate:
                    time.sleep(piece / self.args.rate)
        return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", required=True)
    parser.add_argument("--size", type=int, default=100000)
    parser.add_argument("--rate", type=int, default=0)
    parser.add_argument("--sent", type=int, default=0)
    args = parser.parse_args()
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    print(server.getsockname()[1], flush=True)
    exit_when_parent_ends()
    while True:
        control, _ = server.accept()
        Session(control, args).start()


if __name__ == "__main__":
    main()
