#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (ASan + UBSan, in build-fuzz) and runs
# each for the given time, one after another, then prints executions and findings per target.
#
#   scripts/fuzz.sh SECONDS [TARGET...]
#
# Targets: the names below (all of them when none is given). A run grows its corpus in
# build-fuzz/corpus/TARGET, starting from the committed seeds in tests/fuzz/corpus/TARGET, and
# writes crashing, leaking, hanging or memory-hungry inputs to build-fuzz/findings/TARGET/, with the
# fuzzer's log there as fuzz-0.log. A finding is reproduced with
#   build-fuzz/tests/fuzz/fuzz_TARGET build-fuzz/findings/TARGET/crash-...
# JOBS sets the build's parallelism (default: all cores). Exit status 1 when anything was found.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz

# Target name and the longest input worth trying for it.
declare -A max_len=(
  [glyphbitmap]=8192    # a 1024-dot row of pixels fits, with the header
  [pictureimport]=16384
  [charlist]=4096
  [charsetfile]=4096    # the cut at the line limit comes from repeating the input
  [collect]=4096
  [indexvalue]=16
  [cliargs]=1024
  [glyphtext]=4096
  [xmodem]=4096
  [patchfile]=8192      # a few glyphs of a small cell with the header
)
order=(glyphbitmap pictureimport charlist charsetfile collect indexvalue cliargs glyphtext xmodem patchfile)

usage() {
  echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
  echo "targets: ${order[*]}" >&2
  exit 2
}

[ $# -ge 1 ] || usage
seconds=$1
shift
[[ $seconds =~ ^[1-9][0-9]*$ ]] || usage
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=("${order[@]}")
fi
for t in "${targets[@]}"; do
  [ -n "${max_len[$t]+set}" ] || { echo "fuzz.sh: unknown target '$t'" >&2; usage; }
done

./scripts/install-deps.sh
cmake -S "$root" -B "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DDOTRIX_FUZZ=ON -DDOTRIX_BUILD_APP=OFF -DDOTRIX_BUILD_TESTS=OFF -DDOTRIX_BUILD_BENCH=OFF >/dev/null
build_targets=()
for t in "${targets[@]}"; do
  build_targets+=(--target "fuzz_$t")
done
cmake --build "$build" -j"${JOBS:-$(nproc)}" "${build_targets[@]}"

# Scratch files of the targets that parse files go to memory where it is there.
scratch=$(mktemp -d "$( [ -w /dev/shm ] && echo /dev/shm || echo /tmp )/dotrix-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

declare -A executions findings corpus_size
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  out=$build/findings/$t
  mkdir -p "$corpus" "$out"
  dict=()
  if [ -f "$root/tests/fuzz/$t.dict" ]; then
    dict=(-dict="$root/tests/fuzz/$t.dict")
  fi
  touch "$out/.started"
  echo "fuzz.sh: $t for $seconds s"
  # One job and one worker: a single fuzzing process at a time. The log goes to $out/fuzz-0.log.
  status=0
  (cd "$out" && QT_QPA_PLATFORM=offscreen DOTRIX_FUZZ_SCRATCH=$scratch \
     "$build/tests/fuzz/fuzz_$t" "$corpus" "$root/tests/fuzz/corpus/$t" "${dict[@]}" \
       -jobs=1 -workers=1 -max_total_time="$seconds" -max_len="${max_len[$t]}" \
       -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 -artifact_prefix="$out/" \
       >/dev/null 2>&1) || status=$?
  log=$out/fuzz-0.log
  executions[$t]=$(grep -a '^stat::number_of_executed_units:' "$log" 2>/dev/null | tail -1 | awk '{print $2}')
  corpus_size[$t]=$(grep -a -o ' corp: [0-9]*' "$log" 2>/dev/null | tail -1 | awk '{print $2}')
  # Findings of this run only; earlier ones stay in the directory.
  findings[$t]=$(find "$out" -maxdepth 1 -type f -newer "$out/.started" \
                   \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  if [ "$status" -ne 0 ] || [ "${findings[$t]}" -ne 0 ]; then
    echo "fuzz.sh: $t stopped on a finding; from its log:"
    grep -a -E 'ERROR|fuzz check failed|SUMMARY|Test unit written' "$log" | head -20 || true
  fi
done

echo
printf '%-15s %14s %8s %9s\n' target executions corpus findings
found=0
for t in "${targets[@]}"; do
  printf '%-15s %14s %8s %9s\n' "$t" "${executions[$t]:-?}" "${corpus_size[$t]:-?}" "${findings[$t]}"
  [ "${findings[$t]}" -eq 0 ] || found=1
done
echo "findings are in $build/findings/TARGET/"
exit $found
