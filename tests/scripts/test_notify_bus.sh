#!/usr/bin/env bash
# Desktop notifications on a real, private session bus: a stand-in notification server records the Notify
# call the real program makes when a one-second clock completes; a click on it brings the window forward;
# a server that never answers does not hold the program.
# Usage: test_notify_bus.sh <zentriq executable> <build dir>
set -u
exe=$1
build=$2
if [ -z "${ZENTRIQ_ON_TEST_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null ||
        { echo "SKIPPED: dbus-run-session is not installed (package dbus-daemon)"; exit 77; }
    exec dbus-run-session -- env ZENTRIQ_ON_TEST_BUS=1 bash "$0" "$@"
fi
source "$(dirname "$0")/lib_smoke.sh"

# A window manager, as on every desktop: it is what lets a program bring its window forward.
start_window_manager "nothing can bring a window forward"

server="$build/tests/tools/notify_server"
[ -x "$server" ] || fail "no notification server at $server"
server_pid=
stop_server() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    server_pid=
}
trap 'stop_server; smoke_cleanup' EXIT

# A board of one clock named Pasta that runs for two seconds.
board="$tmp/pasta.clk"
printf '%s\r\n' progver=1.0.3 showboxes=False autoarrange=False mute=False \
    '<clock>' '   id:4242' '   type:0' '   comment:Pasta' '   duration:2' '   currenttime:2' \
    '   x:3000' '   y:2000' '</clock>' '' >"$board"

# Starts the server in the given mode and the program on the board, starts the clock through
# Selection > Select All and Start selected clocks, then minimises the window, so that the board is not in
# view when the clock completes.
run_pasta() {
    : >"$tmp/notify.log"
    "$server" "$tmp/notify.log" "$@" &
    server_pid=$!
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
            string:org.freedesktop.Notifications 2>/dev/null | grep -q 'boolean true' && break
        sleep 0.1
    done
    "$exe" "$board" >"$tmp/app.log" 2>&1 &
    app_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zentriq - ' 2>/dev/null | head -n1)
    xdotool windowactivate --sync "$window" 2>/dev/null
    [ -n "$window" ] || fail "the board did not open; program output: $(cat "$tmp/app.log")"
    sleep 0.3
    keys alt+l a alt+l s
    xdotool windowminimize --sync "$window"
}

wait_for_line() {
    for _ in $(seq 50); do
        [ -s "$tmp/notify.log" ] && return 0
        sleep 0.1
    done
    fail "no notification arrived; program output: $(cat "$tmp/app.log")"
}

run_pasta --click
wait_for_line
IFS='|' read -r app replaces icon summary body actions category <"$tmp/notify.log"
[ "$app" = Zentriq ] || fail "application name: $app"
[ "$summary" = Pasta ] || fail "summary: $summary"
[[ "$body" =~ ^Completed\ at\ [0-9]{1,2}:[0-9]{2} ]] || fail "body: $body"
[ "$category" = x-zentriq.timer ] || fail "category: $category"
[[ "$actions" == default,* ]] || fail "no default action: $actions"
[[ "$icon" == file://*zentriq.png ]] || fail "icon: $icon"
[ -f "${icon#file://}" ] || fail "the icon does not exist: $icon"
# The click (sent by the server half a second later) shows the window again and gives it the keyboard.
for _ in $(seq 30); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && break
    sleep 0.1
done
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] || fail "a click on the notification did not bring the window forward"
kill -KILL "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=
stop_server

# No server at all: two completions, one line in the error log, and the program carries on.
log_lines() { grep -c 'Unable to show desktop notifications' "$build/error.log" 2>/dev/null || true; }
before=$(log_lines)
printf '%s\r\n' '<clock>' '   comment:Tea' '   duration:1' '   x:3000' '   y:3000' '</clock>' '' >>"$board"
"$exe" "$board" >"$tmp/app.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zentriq - ' 2>/dev/null | head -n1)
xdotool windowactivate --sync "$window" 2>/dev/null
sleep 0.3
keys alt+l a alt+l s
xdotool windowminimize --sync "$window"
sleep 3.5
after=$(log_lines)
[ $((after - before)) -eq 1 ] || fail "expected one log line for the missing server, found $((after - before))"
kill -0 "$app_pid" || fail "the program ended without a notification server"
kill -KILL "$app_pid"; wait "$app_pid" 2>/dev/null; app_pid=

# A server that never answers: the program still quits at once through its menu.
run_pasta --hang
wait_for_line
xdotool windowactivate --sync "$window"
sleep 0.3
keys alt+f q
expect_exit "File > Quit with a hung notification server"
echo "PASS: Notify carried the name, time, icon, category and default action; a click raised the window; a missing server was logged once; a hung server held nothing"
