#!/usr/bin/env bash
# Times bin2load writing the load file of a 64 MiB random image at width 32
# against cat writing a file of the same size, alternating the two, and
# prints the medians and their ratio. Usage:
#   bench/compare_with_cat.sh [bin2load] [runs] [folder]
set -euo pipefail
bin2load=${1:-build-bench/bin2load}
runs=${2:-40}
folder=$(mktemp -d "${3:-${TMPDIR:-/tmp}}/bin2load-vs-cat.XXXXXX")
trap 'rm -rf "$folder"' EXIT

head -c $((64 << 20)) /dev/urandom >"$folder/image.bin"
"$bin2load" "$folder/image.bin" "$folder/same-size.mem" 32 2>/dev/null
sync  # the inputs are read from the page cache, and nothing else is being written back

seconds() { # runs "$@", prints how long it took
    rm -f "$folder/out"
    local start end
    start=$(date +%s%N)
    "$@"
    end=$(date +%s%N)
    echo "scale=4; ($end - $start) / 1000000000" | bc
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for _ in $(seq "$runs"); do
    # Both through the same shell, so that both pay for starting it.
    seconds sh -c "exec '$bin2load' '$folder/image.bin' '$folder/out' 32 2>/dev/null" \
        >>"$folder/bin2load.times"
    seconds sh -c "exec cat '$folder/same-size.mem' >'$folder/out'" >>"$folder/cat.times"
done
converter=$(median <"$folder/bin2load.times")
copier=$(median <"$folder/cat.times")
echo "bin2load: median $converter s over $runs runs"
echo "cat:      median $copier s over $runs runs"
echo "ratio:    $(echo "scale=2; $converter / $copier" | bc)"
