#!/usr/bin/env bash
# CPU use of the running saver (default settings, 64 ticks per second) and of the X server that
# shows it, measured under a private Xvfb at 1920 x 1080 over a fixed span of wall-clock time.
# Usage: bench/frolicade_cpu.sh [build/release/saver/app/frolicade] [seconds]
set -euo pipefail
saver=${1:-build/release/saver/app/frolicade}
seconds=${2:-10}
work=$(mktemp -d)
trap 'kill "${saver_pid:-}" "${x_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp 2>/dev/null 3>"$work/display" &
x_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
xsetroot -solid '#336699'

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
XDG_CONFIG_HOME="$work" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$saver" /S 2>/dev/null &
saver_pid=$!
sleep 2 # start-up is not part of the steady state
s0=$(ticks "$saver_pid"); x0=$(ticks "$x_pid")
sleep "$seconds"
s1=$(ticks "$saver_pid"); x1=$(ticks "$x_pid")
hz=$(getconf CLK_TCK)
awk -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" -v t="$seconds" 'BEGIN {
    printf "frolicade: %.1f %% of one core\nXvfb:      %.1f %% of one core\n", 100 * s / hz / t, 100 * x / hz / t }'
