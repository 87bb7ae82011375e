#!/usr/bin/env bash
# What a board costs while nobody touches it: the real window, loop and sound device (OpenAL Soft's silent
# "null" output) on a virtual X server, over boards of stopped and of running clocks. For each board: the
# share of one core the process used over a window of seconds (from /proc/PID/stat) and how often its
# threads woke (voluntary context switches, from /proc/PID/task/*/status), the main thread on its own.
# Usage: bench/idle_cpu.sh [build dir] [seconds]    (default: build, 30)
# BOARDS="100:0 0:100" chooses the boards (stopped:running); ALSOFT_DRIVERS another sound output ("none": no
# device at all).
set -u
build=${1:-build}
seconds=${2:-30}
tool="$build/bench/zentriq_idle_board"
[ -x "$tool" ] || { echo "no $tool: build the benchmarks first"; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 1; }

tmp=$(mktemp -d)
xvfb_pid=
board_pid=
cleanup() {
    [ -n "$board_pid" ] && kill "$board_pid" 2>/dev/null && wait "$board_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$tmp/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$tmp/display")"
export HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
unset WAYLAND_DISPLAY

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
main_switches() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status"; }

printf '%-28s %8s %14s %14s\n' board "CPU %" "wake-ups/s" "main thread/s"
for board in ${BOARDS:-100:0 0:100 100:100}; do
    stopped=${board%:*} running=${board#*:}
    "$tool" "$stopped" "$running" >"$tmp/board.log" 2>&1 &
    board_pid=$!
    sleep 5 # start-up and the first pictures
    c0=$(cpu_ticks $board_pid) s0=$(switches $board_pid) m0=$(main_switches $board_pid)
    sleep "$seconds"
    c1=$(cpu_ticks $board_pid) s1=$(switches $board_pid) m1=$(main_switches $board_pid)
    kill "$board_pid" && wait "$board_pid" 2>/dev/null
    board_pid=
    awk -v name="$stopped stopped, $running running" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v m=$((m1 - m0)) \
        -v t="$seconds" -v hz="$ticks_per_second" \
        'BEGIN {printf "%-28s %8.2f %14.2f %14.2f\n", name, 100 * c / hz / t, s / t, m / t}'
done
