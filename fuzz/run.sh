#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time, starting from the seed
# corpus in fuzz/corpus/<target>/. New inputs go to a scratch corpus, never into the repository;
# a crash, hang or failed check leaves its input in the artifacts folder, printed at the end.
#   fuzz/run.sh [seconds per target, default 60] [target...]
# Needs clang and libclang-rt-14-dev (installed with apt-get when missing).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(evaluator startup)
build="${NUMBOLO_FUZZ_BUILD:-$root/build-fuzz}"
work="${NUMBOLO_FUZZ_WORK:-$build/work}"

"$root/tools/deps.sh"
missing=()
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null

export QT_QPA_PLATFORM=offscreen
# Qt keeps caches for the life of the process; they are not leaks of the game.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The start-up target keeps settings and fonts in temporary folders of its own; keep the
# user's own folders out of reach all the same.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

status=0
summary=()
for target in "${targets[@]}"; do
    corpus="$work/corpus/$target"
    artifacts="$work/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1
             -artifact_prefix="$artifacts/")
    case "$target" in
        evaluator) options+=(-max_len=20000 -dict="$here/evaluator.dict") ;;
        startup) options+=(-max_len=2048 -dict="$here/startup.dict") ;;
    esac
    log="$work/$target.log"
    echo "fuzzing $target for $seconds s (log: $log)"
    if "$build/fuzz_$target" "${options[@]}" "$corpus" "$here/corpus/$target" >"$log" 2>&1; then
        result="no finding"
    else
        result="FINDING: $(ls -1 "$artifacts" | tr '\n' ' ')"
        status=1
    fi
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | awk '{ print $2 }' || true)"
    cov="$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{ print $2 }' || true)"
    summary+=("$(printf '%-10s %10s runs  coverage %6s  %s' "$target" "${runs:-?}" "${cov:-?}" "$result")")
done
printf '%s\n' "${summary[@]}"
[ $status -ne 0 ] && echo "artifacts: $work/artifacts"
exit $status
