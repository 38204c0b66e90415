#!/usr/bin/env bash
# The bash completion offers commands, the stored Sites and period shapes.
# Usage: completion.sh COMPLETION-FILE CLI
set -u
source "$1"
cli=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config
"$cli" add shop.example >/dev/null
meridan-cli() { "$cli" "$@"; }
failed=0
expect() { # words... -- expected
    local words=() expected
    while [[ $1 != -- ]]; do words+=("$1"); shift; done
    expected=$2
    COMP_WORDS=("${words[@]}")
    COMP_CWORD=$((${#words[@]} - 1))
    _meridan_cli
    local got=" ${COMPREPLY[*]} "
    if [[ $got != *" $expected "* ]]; then
        echo "completing '${words[*]}': no '$expected' in:$got"
        failed=$((failed + 1))
    fi
}
expect meridan-cli bu -- build
expect meridan-cli update shop.example sh -- shop.example
expect meridan-cli update --q -- --quiet
expect meridan-cli build sh -- shop.example
# In a folder where the star would match a file, it stays a star.
mkdir "$home/cfg" && touch "$home/cfg/$(date +%Y)-Q1.cfg" && cd "$home/cfg"
expect meridan-cli build shop.example "$(date +%Y)-Q" -- "'$(date +%Y)-Q*'"
expect meridan-cli build shop.example --j -- --jobs
expect meridan-cli index shop.example --no -- --no-frames
echo "$((5 - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
