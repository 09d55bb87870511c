# measure LABEL COMMAND [ARG ...]: one warm-up, then $runs timed runs of the command, each printed
# by GNU time as wall seconds, CPU seconds and peak memory. Sourced by the side-by-side scripts.
measure() {
  label=$1
  shift
  "$@" >/dev/null 2>&1 || true # warm-up
  i=0
  while [ "$i" -lt "$runs" ]; do
    /usr/bin/time -f "$label: %e s wall, %U+%S s CPU, %M KiB peak" "$@" 2>&1 >/dev/null | tail -1
    i=$((i + 1))
  done
}
