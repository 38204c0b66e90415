#!/usr/bin/env bash
# The nightly update's user units pass systemd-analyze verify, without a
# warning, with the service running this build's meridan-cli.
# Usage: systemd-units.sh SERVICE.in TIMER CLI
set -eu
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
sed "s|@CMAKE_INSTALL_FULL_BINDIR@/meridan-cli|$3|" "$1" >"$folder/meridan-update.service"
cp "$2" "$folder/meridan-update.timer"
cd "$folder"
status=0
output=$(systemd-analyze verify --man=no meridan-update.service meridan-update.timer 2>&1) || status=$?
if [ -n "$output" ] || [ "$status" -ne 0 ]; then
    echo "$output"
    exit 1
fi
echo "the units verify"
