#!/usr/bin/env bash
# Start-up time to the first painted main window: Wagenwart with 99 vehicles and 10 000 records
# for the current one, against a Qt Widgets program that shows only an empty main window.
#
#     bench/startup.sh [runs]        (default 11 runs of each, interleaved)
#
# Builds the probes with the release preset, prepares the data directory in a temporary
# directory and runs both probes alternately, first with the offscreen platform, then (when
# xvfb-run is installed) on a virtual X server. Each time is from just before the process is
# started to the end of the window's first complete paint; the table shows the medians, split
# into the time before main(), the application object, the window's construction and the first
# paint, and the processor time the process used until then (steadier on a busy machine).
# Target: Wagenwart at most 1.5 x the reference in total time.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$root/build/release/bench

# One series, inside the display environment already set up: RUNS pairs, interleaved, the
# order of the two alternating from pair to pair. Writes one line per run to stdout:
# "<probe> total before-main application window first-paint processor" in microseconds.
run_series() {
    local runs=$1 tmp=$2 i probe first second
    # One unmeasured pair first: files, fonts and the display server are warm for every run.
    one_run minimal "$tmp" >/dev/null
    one_run wagenwart "$tmp" >/dev/null
    for ((i = 0; i < runs; i++)); do
        if ((i % 2 == 0)); then first=minimal second=wagenwart; else first=wagenwart second=minimal; fi
        for probe in $first $second; do
            one_run "$probe" "$tmp"
        done
    done
}

one_run() {
    local probe=$1 tmp=$2 out t0 rest
    local -a cmd
    # The same data before each run: the window rewrites kfz.ini and kfzdata.csv as it ends.
    rm -rf "$tmp/data"
    cp -r "$tmp/pristine" "$tmp/data"
    if [[ $probe == minimal ]]; then cmd=("$bin/startup_minimal"); else cmd=("$bin/startup_probe" "$tmp/data"); fi
    # The clock starts right before bash forks the process, which then executes the probe at
    # once; a watchdog ends a probe that hangs (a message box waiting for an answer).
    local pid watchdog status=0
    t0=${EPOCHREALTIME/[.,]/}
    "${cmd[@]}" >"$tmp/out.txt" 2>>"$tmp/stderr.log" &
    pid=$!
    (sleep 60 && kill "$pid" 2>/dev/null) &
    watchdog=$!
    wait "$pid" || status=$?
    kill "$watchdog" 2>/dev/null || true
    wait "$watchdog" 2>/dev/null || true
    out=$(<"$tmp/out.txt")
    if ((status != 0)) || [[ $out != *paint=* ]]; then
        echo "startup.sh: $probe failed (status $status) or timed out; its messages:" >&2
        cat "$tmp/stderr.log" >&2
        exit 1
    fi
    # main=.. app=.. window=.. paint=.. (wall clock) cpu=.. (processor time) in ns; to us, the
    # wall-clock times relative to t0.
    rest=$(awk -v t0="$t0" -v p="$probe" '{
        for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] / 1000 }
        printf "%s %.0f %.0f %.0f %.0f %.0f %.0f\n", p, v["paint"] - t0, v["main"] - t0,
               v["app"] - v["main"], v["window"] - v["app"], v["paint"] - v["window"], v["cpu"]
    }' <<<"$out")
    echo "$rest"
}

# Medians of the columns of each probe's lines, and the table.
report() {
    local title=$1 file=$2
    awk -v title="$title" '
        function median(arr, n,    i, j, t) {
            for (i = 2; i <= n; i++) { t = arr[i]; for (j = i - 1; j >= 1 && arr[j] > t; j--) arr[j + 1] = arr[j]; arr[j + 1] = t }
            return n % 2 ? arr[(n + 1) / 2] : (arr[n / 2] + arr[n / 2 + 1]) / 2
        }
        {
            p = $1; n[p]++
            for (c = 2; c <= 7; c++) col[p, c, n[p]] = $c
        }
        END {
            printf "\n%s (%d runs each, medians in ms)\n", title, n["minimal"]
            printf "  %-10s %8s %12s %12s %8s %12s %10s\n", "", "total", "before-main", "application", "window",
                   "first-paint", "processor"
            for (k = 1; k <= 2; k++) {
                p = k == 1 ? "minimal" : "wagenwart"
                for (c = 2; c <= 7; c++) {
                    for (i = 1; i <= n[p]; i++) a[i] = col[p, c, i]
                    m[p, c] = median(a, n[p])
                }
                printf "  %-10s %8.1f %12.1f %12.1f %8.1f %12.1f %10.1f\n", p, m[p, 2] / 1000, m[p, 3] / 1000,
                       m[p, 4] / 1000, m[p, 5] / 1000, m[p, 6] / 1000, m[p, 7] / 1000
            }
            ratio = m["wagenwart", 2] / m["minimal", 2]
            printf "  ratio %.2f (target <= 1.50): %s;  processor-time ratio %.2f\n", ratio,
                   ratio <= 1.5 ? "met" : "NOT met", m["wagenwart", 7] / m["minimal", 7]
        }' "$file"
}

# Re-entry under xvfb-run: the series on the virtual X server.
if [[ ${1:-} == --series ]]; then
    run_series "$2" "$3"
    exit 0
fi

runs=${1:-11}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [runs]" >&2; exit 2; }

cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target make_startup_data startup_minimal startup_probe

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/xdg-data" "$tmp/tmp"
mkdir -m 700 "$tmp/runtime"
"$bin/make_startup_data" "$tmp/pristine"

# A fresh user environment: nothing of the user's own data, lock or sockets.
export XDG_RUNTIME_DIR=$tmp/runtime XDG_DATA_HOME=$tmp/xdg-data TMPDIR=$tmp/tmp
unset WAYLAND_DISPLAY

QT_QPA_PLATFORM=offscreen run_series "$runs" "$tmp" >"$tmp/offscreen.txt"
report "offscreen" "$tmp/offscreen.txt"

if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --series "$runs" "$tmp" >"$tmp/xvfb.txt"
    report "xvfb (xcb)" "$tmp/xvfb.txt"
else
    echo "(xvfb-run not installed: no X figure)"
fi
