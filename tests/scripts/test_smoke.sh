#!/usr/bin/env bash
# The real program on a virtual X server: its window appears and File > Quit ends it, storing the options.
# Usage: test_smoke.sh <zentriq executable> <build dir>
set -u
exe=$1
build=$2
source "$(dirname "$0")/lib_smoke.sh"

start_program
[ -f "$settings" ] && fail "settings were written before quitting"
keys alt+s m     # Sounds > Mute: never stored
keys alt+f q     # File > Quit
expect_exit "File > Quit"
expect_settings syncClocks=True allowRepos=True resetOnLoad=False notify=True
grep -qi mute "$settings" && fail "mute reached the settings store: $(cat "$settings")"
echo "PASS: window shown, File > Quit ended the program and stored the first-run options"
