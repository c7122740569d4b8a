# The arithmetic of the side-by-side measurements, written once: the bench scripts on this
# machine and the 32-bit run in the guest (which gets a copy of this file) report with it.

# median: the median of the numbers on standard input, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# ratio A B: A over B to three places.
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f\n", a / b }'
}
