#!/usr/bin/python3
"""A private D-Bus session bus with GNOME Keyring's Secret Service on it, for
the tests; the keyring's files go below the folder given. Prints the bus
daemon's process id, then the bus address, and ends both with the test."""
import os
import subprocess
import sys
import time


def name_owned(address, name):
    answer = subprocess.run(
        ["dbus-send", "--bus=" + address, "--print-reply", "--dest=org.freedesktop.DBus",
         "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:" + name],
        capture_output=True, text=True)
    return "boolean true" in answer.stdout


def main():
    folder = sys.argv[1]
    runtime = os.path.join(folder, "run")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    address = bus.stdout.readline().decode().strip()
    env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address, HOME=folder,
               XDG_DATA_HOME=os.path.join(folder, "data"), XDG_RUNTIME_DIR=runtime)
    keyring = subprocess.Popen(
        ["gnome-keyring-daemon", "--foreground", "--unlock", "--components=secrets"],
        stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    keyring.stdin.write(b"test password")
    keyring.stdin.close()
    for _ in range(100):
        if name_owned(address, "org.freedesktop.secrets"):
            break
        time.sleep(0.1)
    print(bus.pid, flush=True)
    print(address, flush=True)
    sys.stdin.read()  # the test holds it open while it runs
    keyring.terminate()
    bus.terminate()


if __name__ == "__main__":
    main()
