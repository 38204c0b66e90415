#!/usr/bin/python3
"""OpenSSH's sshd for the tests: serves SFTP on a free port of 127.0.0.1 to
the current user, with the host key and authorized keys the test made, and
prints the port on its first line. It stops when its standard input ends."""
import argparse
import os
import pwd
import socket
import subprocess
import sys
import time


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def wait_until_listening(port, process):
    for _ in range(200):
        if process.poll() is not None:
            return False
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.2):
                return True
        except OSError:
            time.sleep(0.05)
    return False


def start_sshd(args, port, log):
    config = os.path.join(args.folder, "sshd_config")
    with open(config, "w") as out:
        out.write(
            f"Port {port}\nListenAddress 127.0.0.1\nHostKey {args.host_key}\n"
            f"PidFile {os.path.join(args.folder, 'sshd.pid')}\n"
            f"AuthorizedKeysFile {args.authorized_keys}\nStrictModes no\nUsePAM no\n"
            "PasswordAuthentication yes\nKbdInteractiveAuthentication no\n"
            "PermitRootLogin prohibit-password\nSubsystem sftp internal-sftp\n"
            f"AllowUsers {pwd.getpwuid(os.geteuid()).pw_name}\nLogLevel ERROR\n")
    return subprocess.Popen(["/usr/sbin/sshd", "-D", "-e", "-f", config], stderr=log)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True, help="for the configuration and pid file")
    parser.add_argument("--host-key", required=True)
    parser.add_argument("--authorized-keys", required=True)
    args = parser.parse_args()
    if os.geteuid() == 0:
        os.makedirs("/run/sshd", mode=0o755, exist_ok=True)  # sshd's privilege separation
    log = open(os.path.join(args.folder, "sshd.log"), "w")
    # Another program may take the free port before sshd binds it: try again.
    for _ in range(5):
        port = free_port()
        process = start_sshd(args, port, log)
        if wait_until_listening(port, process):
            break
        process.kill()
        process.wait()
    else:
        sys.exit(1)
    print(port, flush=True)
    sys.stdin.read()
    process.kill()
    process.wait()


if __name__ == "__main__":
    main()
