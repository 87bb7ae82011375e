#!/usr/bin/env bash
# Ten real minutes of the program: 200 clocks in rings of four linked clocks (7 s each, all started, so
# the rings keep running), on a virtual X server, their sound rendered to a file by OpenAL Soft. Prints the
# resident memory once a minute, the CPU share, how much the error log grew, how much sound was written and
# how many alarms sounded in the first and in the last minute (the rings still running).
# Usage: bench/soak.sh [build dir] [minutes]    (default: build, 10)
set -u
build=${1:-build}
minutes=${2:-10}
exe="$build/zentriq" onsets="$build/bench/zentriq_wave_onsets"
[ -x "$exe" ] && [ -x "$onsets" ] || { echo "no $exe or $onsets: build the program and the benchmarks first"; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is not installed"; exit 1; }
. "$(dirname "$0")/lib_bench.sh"

cat >"$bench_tmp/alsoft.conf" <<CONF
drivers = wave
[wave]
file = $bench_tmp/soak.wav
CONF
export ALSOFT_CONF="$bench_tmp/alsoft.conf" ALSOFT_DRIVERS=wave
write_board "$bench_tmp/board.clk" 200 ring:4:7
start_program "$exe" "$bench_tmp/board.clk" || exit 1
start_all_clocks
log_size() { find "$bench_tmp" -name 'error.log*' -printf '%s\n' 2>/dev/null | awk '{n += $1} END {print n + 0}'; }

sleep 30 # the first completions and alarms have played by now
rss0=$(rss_kb "$app_pid") log0=$(log_size) c0=$(cpu_ticks "$app_pid") t0=$(date +%s)
printf '%-8s %10s\n' minute "RSS (kB)"
for m in $(seq "$minutes"); do
    sleep 60
    kill -0 "$app_pid" 2>/dev/null || { echo "the program ended: $(cat "$bench_tmp/app.log")"; exit 1; }
    printf '%-8s %10s\n' "$m" "$(rss_kb "$app_pid")"
done
rss1=$(rss_kb "$app_pid") log1=$(log_size) c1=$(cpu_ticks "$app_pid") t1=$(date +%s)
stop_program
wave=$(stat -c %s "$bench_tmp/soak.wav" 2>/dev/null || echo 0)
awk -v r0="$rss0" -v r1="$rss1" -v l0="$log0" -v l1="$log1" -v c=$((c1 - c0)) -v hz="$ticks_per_second" \
    -v t=$((t1 - t0)) -v wave="$wave" 'BEGIN {
        printf "RSS after 30 s %d kB, at the end %d kB: %+d kB (%+.1f %%)\n", r0, r1, r1 - r0, 100 * (r1 - r0) / r0
        printf "error log: %d bytes, then %d bytes\n", l0, l1
        printf "CPU over %d s: %.2f %% of one core\n", t, 100 * c / hz / t
        printf "sound written: %.1f s\n", wave / (44100 * 2 * 4)
    }'
# Alarms are the sounds longer than a tick.
"$onsets" "$bench_tmp/soak.wav" 100 | awk '$1 == "end" {end = $2; next} $2 > 300 {t[++n] = $1}
    END {for (i = 1; i <= n; ++i) {if (t[i] < 60000) ++first; if (t[i] >= end - 60000) ++last}
         printf "alarms: %d in the first minute of sound, %d in the last\n", first, last}'
