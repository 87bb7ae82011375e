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
. "$(dirname "$0")/lib_bench.sh"

printf '%-28s %8s %14s %14s\n' board "CPU %" "wake-ups/s" "main thread/s"
for board in ${BOARDS:-100:0 0:100 100:100}; do
    stopped=${board%:*} running=${board#*:}
    "$tool" "$stopped" "$running" >"$bench_tmp/board.log" 2>&1 &
    app_pid=$!
    sleep 5 # start-up and the first pictures
    c0=$(cpu_ticks $app_pid) s0=$(switches $app_pid) m0=$(main_switches $app_pid)
    sleep "$seconds"
    c1=$(cpu_ticks $app_pid) s1=$(switches $app_pid) m1=$(main_switches $app_pid)
    stop_program
    awk -v name="$stopped stopped, $running running" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v m=$((m1 - m0)) \
        -v t="$seconds" -v hz="$ticks_per_second" \
        'BEGIN {printf "%-28s %8.2f %14.2f %14.2f\n", name, 100 * c / hz / t, s / t, m / t}'
done
