#!/usr/bin/env bash
# The window's close button ends the program like File > Quit and stores the options; stored options
# are read back at the next start; a program ended any other way stores nothing.
# Usage: test_smoke_close.sh <zentriq executable> <build dir>
set -u
exe=$1
build=$2
source "$(dirname "$0")/lib_smoke.sh"

# The window manager closes the window as its close button does (Alt+F4: a WM_DELETE_WINDOW message).
start_window_manager "nothing can close the window the way a desktop does"

# Synchronised counting and notifications off, then the close button.
start_program
keys alt+m s alt+m n alt+F4
expect_exit "the close button"
expect_settings syncClocks=False allowRepos=True resetOnLoad=False notify=False

# The next run starts unsynchronised: toggling turns it back on.
start_program
keys alt+m s
keys alt+f q
expect_exit "File > Quit"
expect_settings syncClocks=True allowRepos=True resetOnLoad=False notify=False

# Toggled, then ended by a signal: the store keeps what it had.
cp "$settings" "$tmp/before.conf"
start_program
keys alt+m r alt+m a
kill -TERM "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=
cmp -s "$settings" "$tmp/before.conf" || fail "ending without Quit changed the store: $(cat "$settings")"
echo "PASS: close button quits and stores, the next run reads the store, a killed run stores nothing"
