#!/usr/bin/env bash
# A cold save and a cold load of a record file of 100 000 rows, each in a process of its own,
# against Python's csv module doing the same with the same file.
#
#     bench/cold_save.sh [runs]        (default 9 runs of each, interleaved)
#
# Builds table_bench with the release preset and writes the generated record file into a
# temporary directory. Each run starts fresh processes: "table_bench --cold-save" loads the file,
# adds one entry and saves it once through TMlb2::SaveToFile, as the program does after an
# entry; "table_bench --cold-load" loads it once. Python (Debian's /usr/bin/python3) reads the
# same file with csv.reader and writes the rows with csv.writer, ";" as delimiter, CR LF line
# ends and a backslash as escape character, as our format has them. The times are taken inside
# each process around the load and the save alone (median over the runs), then the whole
# process from start to end. Our save ends with the file synced to disk and renamed into place
# (QSaveFile); Python's writer only closes its file, so its time with os.fsync is shown as well.
# Target: our cold save at least 5 x as fast as Python's csv writer.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
runs=${1:-9}
python=/usr/bin/python3

cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWAGENWART_TESTS=OFF >/dev/null
ninja -C "$root/build/release" -j2 table_bench >/dev/null
bench=$root/build/release/bench/table_bench

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$bench" --make "$tmp/records.csv"

cat >"$tmp/py_csv.py" <<'EOF'
import csv, os, sys, time
mode, path = sys.argv[1], sys.argv[2]
dialect = dict(delimiter=";", quoting=csv.QUOTE_NONE, escapechar="\\", lineterminator="\r\n")
start = time.perf_counter()
with open(path, newline="", encoding="latin-1") as f:
    rows = list(csv.reader(f, **dialect))
load = (time.perf_counter() - start) * 1000
if mode == "load":
    print(f"load {load:.2f}")
    sys.exit(0)
rows.append(["3", "", "99999999", "45,10", "", "", "s", "Eintrag", "", "", ""])
start = time.perf_counter()
with open(path + ".new", "w", newline="", encoding="latin-1") as f:
    csv.writer(f, **dialect).writerows(rows)
    f.flush()
    written = (time.perf_counter() - start) * 1000
    os.fsync(f.fileno())
synced = (time.perf_counter() - start) * 1000
os.replace(path + ".new", path)
print(f"load {load:.2f} save {written:.2f} synced {synced:.2f}")
EOF

# Runs one command in a fresh process on a fresh copy of the file; prints its own output and
# the process's wall time in milliseconds.
one() {
    cp "$tmp/records.csv" "$tmp/run.csv"
    sync "$tmp/run.csv"
    local t0 t1 out
    t0=$(date +%s%N)
    out=$("$@" "$tmp/run.csv")
    t1=$(date +%s%N)
    echo "$out process $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", (b - a) / 1e6 }')"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$tmp/ours_save" >"$tmp/ours_load" >"$tmp/py_save" >"$tmp/py_load"
one "$bench" --cold-save >/dev/null # files and libraries in the page cache for every run
one $python "$tmp/py_csv.py" save >/dev/null
for ((i = 0; i < runs; i++)); do
    one "$bench" --cold-save >>"$tmp/ours_save"
    one $python "$tmp/py_csv.py" save >>"$tmp/py_save"
    one "$bench" --cold-load >>"$tmp/ours_load"
    one $python "$tmp/py_csv.py" load >>"$tmp/py_load"
done

# The value after `key` in each line of a file, as the median.
field() { awk -v k="$2" '{ for (i = 1; i < NF; i++) if ($i == k) print $(i + 1) }' "$1" | median; }

ours_save=$(field "$tmp/ours_save" save)
py_save=$(field "$tmp/py_save" save)
py_synced=$(field "$tmp/py_save" synced)
ours_load=$(field "$tmp/ours_load" load)
py_load=$(field "$tmp/py_load" load)
size=$(stat -c %s "$tmp/records.csv")
echo "Record file: 100 000 rows, $size bytes; medians of $runs cold processes each (ms)"
printf '%-34s %10s %10s %8s\n' "" "Wagenwart" "Python" "ratio"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1fx", b / a }'; }
printf '%-34s %10s %10s %8s\n' "save (csv.writer, no fsync)" "$ours_save" "$py_save" "$(ratio "$ours_save" "$py_save")"
printf '%-34s %10s %10s %8s\n' "save (csv.writer + os.fsync)" "$ours_save" "$py_synced" "$(ratio "$ours_save" "$py_synced")"
printf '%-34s %10s %10s %8s\n' "load (csv.reader)" "$ours_load" "$py_load" "$(ratio "$ours_load" "$py_load")"
printf '%-34s %10s %10s %8s\n' "process: load + entry + save" "$(field "$tmp/ours_save" process)" \
    "$(field "$tmp/py_save" process)" "$(ratio "$(field "$tmp/ours_save" process)" "$(field "$tmp/py_save" process)")"
printf '%-34s %10s %10s %8s\n' "process: load" "$(field "$tmp/ours_load" process)" \
    "$(field "$tmp/py_load" process)" "$(ratio "$(field "$tmp/ours_load" process)" "$(field "$tmp/py_load" process)")"
