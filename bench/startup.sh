#!/usr/bin/env bash
# Start-up of Tarnwick against the floor of Qt, under a private Xvfb server:
#   bench/startup.sh [BUILD_DIR] [RUNS] [SCALE]
# Starts, in turns, an empty Qt Widgets window with a menu bar, a status bar and a tree
# dialog (build/bench/empty_window, given the whole screen as the program's first start
# takes it) and Tarnwick with a fresh data folder, each RUNS times;
# measures from the start until its first dialog is mapped on screen ("Empty dialog",
# "Select Solitaire"; polled with xdotool) and the resident memory 3 s after the start.
# Prints the medians and the ratio. SCALE sets QT_SCALE_FACTOR on a screen SCALE times
# 1280 x 1024, so the logical screen stays 1280 x 1024 (screen ratio 2: SCALE=2).
# Needs: xvfb xdotool (Debian packages).
set -euo pipefail
build=${1:-build}
runs=${2:-9}
scale=${3:-1}
program=$build/app/tarnwick
floor=${FLOOR:-$build/bench/empty_window}
for d in $(seq 140 199); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 $((1280 * scale))x$((1024 * scale))x24 -nolisten tcp -noreset >/dev/null 2>&1 & xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
export DISPLAY=:$d QT_SCALE_FACTOR=$scale
unset QT_QPA_PLATFORM
for i in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
work=$(mktemp -d)

# One run: prints milliseconds to the dialog and kilobytes resident at 3 s.
measure() {
    local title=$1; shift
    rm -rf "$work/home"; mkdir -p "$work/home/config" "$work/home/data" "$work/home/run"
    chmod 700 "$work/home/run"
    local start end pid
    start=$(date +%s%N)
    XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data XDG_RUNTIME_DIR=$work/home/run \
        "$@" >/dev/null 2>"$work/stderr" & pid=$!
    # Polled every few milliseconds (xdotool's own --sync waits half a second between looks).
    local waited=0
    until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
        sleep 0.003
        waited=$((waited + 1))
        if [ $waited -gt 3000 ]; then echo "no window '$title' after 10 s" >&2; cat "$work/stderr" >&2; kill $pid; exit 1; fi
    done
    end=$(date +%s%N)
    sleep $(awk "BEGIN {print 3 - ($end - $start) / 1e9}")
    local rss
    rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status)
    kill $pid; wait $pid 2>/dev/null || true
    echo "$(( (end - start) / 1000000 )) $rss"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

: > "$work/floor"; : > "$work/program"
for i in $(seq "$runs"); do
    measure "Empty dialog" "$floor" --maximized >> "$work/floor"
    measure "Select Solitaire" "$program" >> "$work/program"
done
floor_ms=$(cut -d' ' -f1 "$work/floor" | median)
floor_kb=$(cut -d' ' -f2 "$work/floor" | median)
program_ms=$(cut -d' ' -f1 "$work/program" | median)
program_kb=$(cut -d' ' -f2 "$work/program" | median)
megabytes() { awk "BEGIN {printf \"%.1f\", $1 / 1024}"; }
echo "empty window: ${floor_ms} ms to its dialog, $(megabytes "$floor_kb") MiB resident at 3 s (median of $runs)"
echo "Tarnwick:     ${program_ms} ms to the game selection, $(megabytes "$program_kb") MiB resident at 3 s"
awk "BEGIN {printf \"ratio: %.2f (scale %s)\n\", $program_ms / $floor_ms, \"$scale\"}"
rm -rf "$work"
