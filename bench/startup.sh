#!/usr/bin/env bash
# Start-up of the editor with a cartridge image against the bare window of barewindow.cpp:
# both are started and closed RUNS times, alternately, so that a change in the machine's
# load touches both alike. Prints the medians of CPU time (user + system), wall time and
# peak memory of each and their ratios; with valgrind installed, also the instructions of
# one run of each, the figure least moved by other programs on the machine.
#   startup.sh EDITOR BARE_WINDOW CARTRIDGE [RUNS]    (run where fcpalette.pal is)
set -euo pipefail

editor="$1" bare="$2" cartridge="$3" runs="${4:-21}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

measure() { # name, command...
    local name="$1"; shift
    /usr/bin/time -f '%U %S %e %M' -o "$out/one" "$@" >/dev/null 2>&1
    awk '{ printf "%.3f %.3f %d\n", $1 + $2, $3, $4 }' "$out/one" >>"$out/$name"
}

for ((i = 0; i < runs; ++i)); do
    measure editor "$editor" --close-when-started "$cartridge"
    measure bare "$bare" --close-when-started
done

median() { # file, column
    sort -n -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'
}

e_cpu=$(median "$out/editor" 1) e_wall=$(median "$out/editor" 2) e_mem=$(median "$out/editor" 3)
b_cpu=$(median "$out/bare" 1) b_wall=$(median "$out/bare" 2) b_mem=$(median "$out/bare" 3)
echo "Start-up and close, median of $runs alternate runs (load average: $(cut -d' ' -f1 /proc/loadavg))"
printf '%-30s %10s %10s %14s\n' "" "CPU s" "wall s" "peak memory"
printf '%-30s %10s %10s %11d kB\n' "bare window" "$b_cpu" "$b_wall" "$b_mem"
printf '%-30s %10s %10s %11d kB\n' "editor with a cartridge" "$e_cpu" "$e_wall" "$e_mem"
awk -v ec="$e_cpu" -v bc="$b_cpu" -v ew="$e_wall" -v bw="$b_wall" -v em="$e_mem" -v bm="$b_mem" \
    'BEGIN { printf "%-30s %9.2fx %9.2fx %+11d kB  (goals: CPU <= 1.20x, memory <= +12288 kB)\n",
             "editor / bare", ec / bc, ew / bw, em - bm }'

if command -v valgrind >/dev/null; then
    instructions() {
        valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
            awk '/Collected :/ { print $NF }'
    }
    e_ins=$(instructions "$editor" --close-when-started "$cartridge")
    b_ins=$(instructions "$bare" --close-when-started)
    awk -v e="$e_ins" -v b="$b_ins" 'BEGIN {
        printf "%-30s %14.0f\n%-30s %14.0f\n%-30s %9.2fx\n", "instructions, bare window", b,
               "instructions, editor", e, "editor / bare", e / b }'
fi
