#!/usr/bin/env bash
# Installs the build into a staging folder, as a package would lay it out,
# and runs the installed programs from there: the files are where the
# programs look for them, French is found, and the first Site of the README
# and of the man page's examples runs as written, on logs made here.
# Usage: staged-install.sh BUILD-DIR SOURCE-DIR
set -euo pipefail
build=$1
source=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
usr=$stage/usr
for file in bin/meridan bin/meridan-cli share/meridan/Meridan.ini share/meridan/help.html \
    share/meridan/help_fr.html share/meridan/help.css share/doc/meridan/README.md \
    share/doc/meridan/overview.schema.json share/doc/meridan/copyright share/man/man1/meridan-cli.1.gz \
    share/metainfo/io.github.meridan.meridan.metainfo.xml \
    share/bash-completion/completions/meridan-cli lib/systemd/user/meridan-update.timer; do
    [ -e "$usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
export PATH=$usr/bin:$PATH
LANGUAGE=fr meridan-cli --help | grep -q '^Usage : meridan-cli' || { echo "no French"; exit 1; }

# November 2026, three requests a day, one log file a day.
logs=$stage/logs
mkdir -p "$logs"
for day in $(seq -w 1 30); do
    for hour in 03 12 21; do
        echo "10.0.0.1 - - [$day/Nov/2026:$hour:00:00 +0000] \"GET /p$day.html HTTP/1.1\" 200 100 \"-\" \"t\""
    done >"$logs/access-202611$day.log"
done

# Runs each line of an example as a user would type it, in a new home;
# the line that opens a browser only checks that its page is there.
run_example() { # NAME: the example's lines on standard input
    export HOME=$stage/home-$1 XDG_CONFIG_HOME=$stage/home-$1/.config
    mkdir -p "$HOME"
    local line
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        if [[ $line == xdg-open* ]]; then
            eval "test -f ${line#xdg-open }" || { echo "$1: no ${line#xdg-open }"; exit 1; }
            continue
        fi
        (cd "$logs" && eval "$line" >/dev/null) || { echo "$1 failed: $line"; exit 1; }
    done
    grep -Eq 'Successful requests:</b> 90([^0-9,]|$)' "$HOME/example.org/stats/reports/2026-11/stats2026-11.html" ||
        { echo "$1: November does not count its 90 requests"; exit 1; }
}
awk '/^A first Site/ {block = 1; next} block && /^    / {print substr($0, 5); seen = 1; next}
     block && seen && !/^$/ {exit}' "$source/README.md" | run_example readme
awk '/^\.SH EXAMPLES/ {block = 1} block && /^\.nf/ {on = 1; next} on && /^\.fi/ {exit}
     on && !/^\./ {gsub(/\\-/, "-"); gsub(/\\\(aq/, "\047"); print}' "$source/man/meridan-cli.1" |
    run_example manpage
echo "installed, and the examples run"
