#!/usr/bin/env bash
# Builds Numbolo for speed and runs every benchmark, each against its baseline in the same run,
# then prints one table. Settings and fonts live in a temporary home, so runs are comparable.
#   bench/run_benchmarks.sh [--runs N] [--full-countdown] [--build DIR]
#     --runs N          fresh processes per start-up measurement (default 7, median reported)
#     --full-countdown  time all 180 countdown ticks (3 minutes) instead of 30
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="$root/build-bench"
runs=7
ticks=30
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift ;;
        --full-countdown) ticks=180 ;;
        --build) build="$2"; shift ;;
        *) echo "usage: $0 [--runs N] [--full-countdown] [--build DIR]" >&2; exit 2 ;;
    esac
    shift
done

"$root/tools/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMBOLO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target startup_bare startup_form1 game_bench evaluator_bench solver_bench history_bench numbolo_progress sound_play >/dev/null
bin="$build/bench"

# A fresh home with the display font already installed: no first-start message box.
home="$(mktemp -d)"
xvfb_pid="" pulse_pid=""
cleanup() {
    [ -n "$pulse_pid" ] && kill "$pulse_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache"
export XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="qt.multimedia*=false"
mkdir -p "$XDG_DATA_HOME/fonts" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$root/resources/DS-DIGI.TTF" "$XDG_DATA_HOME/fonts/"
fc-cache "$XDG_DATA_HOME/fonts" >/dev/null 2>&1 || true

rows=()
row() { rows+=("$(printf '%s\t%s\t%s\t%s\t%s\t%s' "$@")"); }
# ratio A B: A/B with two decimals
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# verdict VALUE LIMIT: "ok" when VALUE <= LIMIT
verdict() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l ? "ok" : "MISSED") }'; }
note() { printf '%s\n' "$*" >&2; }
# Runs a benchmark without the sound backend's complaint that no server is running.
quiet() { "$@" 2> >(grep -v PulseAudioService >&2); }

# ---- Start-up: first painted frame and memory after 3 s, next to a bare Qt window ----------
startup() { # label
    note "start-up ($1), $runs runs each..."
    local out bare form
    out="$("$bin/startup_bare" --measure "$runs" "$bin/startup_bare" "$bin/startup_form1")"
    read -r _ bare_ms bare_cpu bare_kib _ <<<"$(sed -n 1p <<<"$out")"
    read -r _ form_ms form_cpu form_kib _ <<<"$(sed -n 2p <<<"$out")"
    local r
    r="$(ratio "$form_ms" "$bare_ms")"
    row "start-up to first frame, $1" "$form_ms ms" "$bare_ms ms" "${r}x" "<= 1.5x" "$(verdict "$r" 1.5)"
    r="$(ratio "$form_cpu" "$bare_cpu")"
    row "  CPU time to first frame, $1" "$form_cpu ms" "$bare_cpu ms" "${r}x" "(info)" ""
    if command -v valgrind >/dev/null; then
        local bare_ir form_ir
        bare_ir="$(instructions "$bin/startup_bare")"
        form_ir="$(instructions "$bin/startup_form1")"
        if [ -n "$bare_ir" ] && [ -n "$form_ir" ]; then
            r="$(ratio "$form_ir" "$bare_ir")"
            row "  instructions to first frame, $1" "$(millions "$form_ir") M" "$(millions "$bare_ir") M" "${r}x" "<= 1.9x" \
                "$(verdict "$r" 1.9)"
        fi
    fi
    r="$(ratio "$form_kib" "$bare_kib")"
    row "resident memory after 3 s, $1" "$((form_kib / 1024)) MiB" "$((bare_kib / 1024)) MiB" "${r}x" "<= 1.3x" "$(verdict "$r" 1.3)"
}
# instructions EXE: what EXE executes from process start to its first frame (valgrind's
# callgrind; the same count on every run within about 0.1 %, unlike the times)
instructions() {
    NUMBOLO_BENCH_EXIT_AT_FRAME=1 valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" --child 2>&1 >/dev/null \
        | awk '/Collected/ { print $4 }'
}
millions() { awk -v n="$1" 'BEGIN { printf "%.1f", n / 1e6 }'; }
if ! command -v valgrind >/dev/null; then note "no valgrind: instruction counts skipped (apt-get install valgrind)"; fi
startup offscreen

if command -v Xvfb >/dev/null; then
    fd_file="$home/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$fd_file" ] && break; sleep 0.1; done
    if [ -s "$fd_file" ]; then
        DISPLAY=":$(cat "$fd_file")" QT_QPA_PLATFORM=xcb startup Xvfb
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
else
    note "no Xvfb: start-up under X skipped"
fi

# ---- Sound must not slow start-up: the same start-up with and without a sound server --------
form_only() { "$bin/startup_bare" --measure "$runs" "$bin/startup_form1" | awk '{ print $2, $3 }'; }
if command -v pulseaudio >/dev/null; then
    note "start-up with and without a PulseAudio server..."
    pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=bench" \
        --load=module-native-protocol-unix >/dev/null 2>&1 || true
    sleep 1
    pulse_pid="$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)"
    if [ -n "$pulse_pid" ]; then
        read -r with_ms with_cpu <<<"$(form_only)"
        first_play="$(quiet "$bin/sound_play" MYSOUND 400 2 | awk 'NR == 1 { print $4 }')"
        kill "$pulse_pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pulse_pid" 2>/dev/null || break; sleep 0.1; done
        pulse_pid=""
        read -r without_ms without_cpu <<<"$(form_only)"
        r="$(ratio "$with_ms" "$without_ms")"
        row "start-up with / without sound server" "$with_ms ms" "$without_ms ms" "${r}x" "same (<= 1.1x)" "$(verdict "$r" 1.1)"
        row "  first sound: play() opens the audio" "$first_play ms" "" "" "(info)" ""
    else
        note "PulseAudio could not be started: sound comparison skipped"
    fi
else
    note "no pulseaudio: sound comparison skipped"
fi

# ---- Idle cost over 10 s ---------------------------------------------------------------------
note "idle cost, 3 x 10 s..."
for what in still countdown results; do
    read -r cpu wall switches <<<"$(quiet "$bin/game_bench" idle "$what" 10)"
    share="$(awk -v c="$cpu" -v w="$wall" 'BEGIN { printf "%.2f", 100 * c / w }')"
    case "$what" in
        still) label="idle CPU, nothing moving"; goal="~0 ms"; ok="$(verdict "$cpu" 20)" ;;
        countdown) label="idle CPU, countdown ticking"; goal="~0 ms + ticks"; ok="$(verdict "$cpu" 50)" ;;
        results) label="CPU during results animation"; goal="< 2 % core"; ok="$(verdict "$share" 2)" ;;
    esac
    row "$label (10 s)" "$cpu ms ($share %)" "" "" "$goal" "$ok"
    row "  context switches in 10 s ($what)" "$switches" "" "" "(info)" ""
done

# ---- Timing ------------------------------------------------------------------------------------
note "countdown timing, $ticks ticks..."
read -r n end_error worst_tick <<<"$(quiet "$bin/game_bench" countdown "$ticks")"
tolerance="$(awk -v t="$ticks" 'BEGIN { printf "%.1f", 200 * t / 180 }')"
abs_end="$(awk -v e="$end_error" 'BEGIN { printf "%.2f", (e < 0 ? -e : e) }')"
row "countdown: $n ticks end after $((n)) s" "${end_error} ms off" "" "" "<= ${tolerance} ms" "$(verdict "$abs_end" "$tolerance")"
row "  worst single tick off its second" "$worst_tick ms" "" "" "(info)" ""

note "results animation timing, 2 cycles..."
read -r steps step_min step_median step_max worst_schedule cycles cycle_min cycle_max cycle_expected \
    <<<"$(quiet "$bin/game_bench" results 2)"
step_dev="$(awk -v a="$step_min" -v b="$step_max" 'BEGIN { x = 50 - a; y = b - 50; printf "%.2f", (x > y ? x : y) }')"
row "results: typed step ($steps steps)" "$step_min..$step_max ms (median $step_median)" "50 ms" "" "50 +- 5 ms" "$(verdict "$step_dev" 5)"
cycle_dev="$(awk -v a="$cycle_min" -v b="$cycle_max" -v e="$cycle_expected" \
    'BEGIN { x = e - a; y = b - e; d = x > y ? x : y; printf "%.3f", 100 * d / e }')"
row "results: one cycle ($cycles measured)" "$cycle_min..$cycle_max ms" "$cycle_expected ms" "" "within 1 %" "$(verdict "$cycle_dev" 1)"
row "  worst step off its schedule" "$worst_schedule ms" "" "" "(info)" ""

# ---- "=" click through the real widgets ---------------------------------------------------------
note "\"=\" clicks..."
clicks="$(quiet "$bin/game_bench" click 1000)"
read -r to_text to_paint <<<"$(sed -n 1p <<<"$clicks")"
row "\"=\" click to display text (median)" "$to_text ms" "" "" "< 1 ms" "$(verdict "$to_text" 1)"
row "  \"=\" click to display repainted" "$to_paint ms" "" "" "(info)" ""
labels=("\"=\" on a million digits" "\"=\" on \"1+1+...+\", 1M chars" "\"=\" on 10,000 nested brackets")
for i in 0 1 2; do
    read -r t _ <<<"$(sed -n "$((i + 2))p" <<<"$clicks")"
    row "${labels[$i]}" "$t ms" "" "" "< 10 ms" "$(verdict "$t" 10)"
done

# ---- Evaluator ----------------------------------------------------------------------------------
note "evaluator..."
eval_out="$("$bin/evaluator_bench")"
value() { awk -v k="$1" '$1 == k { print $2 }' <<<"$eval_out"; }
ours="$(value ours_per_s)"
theirs="$(value muparser_per_s)"
if [ -n "$theirs" ]; then
    r="$(ratio "$ours" "$theirs")"
    row "evaluator, $(value corpus_expressions) keypad expressions" "$ours /s" "muparser $theirs /s" "${r}x" ">= 2x" \
        "$(awk -v r="$r" 'BEGIN { print (r >= 2 ? "ok" : "MISSED") }')"
    row "  same value as muparser" "$(value agree)" "" "" "(info)" ""
    row "  refused, muparser gives infinity (x/0)" "$(value agree_no_finite_value)" "" "" "(info)" ""
else
    row "evaluator, $(value corpus_expressions) keypad expressions" "$ours /s" "(no muparser)" "" ">= 2x" "n/a"
fi
row "  evaluator with number text" "$(value ours_with_text_per_s) /s" "" "" "(info)" ""
while read -r key ms; do
    case "$key" in refuse_* | evaluate_*) ;; *) continue ;; esac
    [[ "$key" == *_ms ]] || continue
    name="${key%_ms}"
    row "evaluator: ${name//_/ } (CPU)" "$ms ms" "" "" "< 10 ms" "$(verdict "$ms" 10)"
done <<<"$eval_out"

# ---- Solver: one way to each target of an exercise --------------------------------------------
note "solver..."
solver_out="$("$bin/solver_bench")"
solver() { awk -v k="$1" '$1 == k { print $2 }' <<<"$solver_out"; }
for range in 100 1000 9999 minus100; do
    worst="$(solver "${range}_worst_ms")"
    row "solver: 8 targets, range ${range/minus/-} (worst)" "$worst ms" "" "" "<= 50 ms" "$(verdict "$worst" 50)"
    row "  median" "$(solver "${range}_median_ms") ms" "" "" "(info)" ""
    row "  targets without a way of <= $(solver reach) presses" "$(solver "${range}_no_way_percent") %" "" "" "(info)" ""
    row "  most memory of one exercise's tables" "$(solver "${range}_worst_memory_mib") MiB" "" "" "(info)" ""
done

# ---- The progress window on ten years of daily play ------------------------------------------
note "progress window on a ten-year history (generating it and its ways takes some minutes)..."
history_out="$("$bin/history_bench" --csv)"
hist() { awk -v k="$1" '$1 == k { print $2 }' <<<"$history_out"; }
row "progress window, $(hist exercises) exercises ($(hist file_mib) MiB): first frame" "$(hist window_ms) ms" \
    "$(hist window_empty_ms) ms empty" "" "<= 500 ms" "$(verdict "$(hist window_ms)" 500)"
row "  peak memory above an empty history" "$(hist window_more_mib) MiB" "" "" "<= 60 MiB" \
    "$(verdict "$(hist window_more_mib)" 60)"
# Each read at its best of three, and its processor time (what a busy machine does not inflate).
row "  reads at opening: summary, games page, results, solved per day, report" "$(hist read_opening_ms) ms" "" "" \
    "<= 500 ms" "$(verdict "$(hist read_opening_ms)" 500)"
for key in read_opening read_summary read_games_page read_results read_solved_per_day read_report read_exercise_detail; do
    [ "$key" = read_opening ] || row "  ${key//_/ }" "$(hist "${key}_ms") ms" "" "" "(info)" ""
    row "    processor" "$(hist "${key}_cpu_ms") ms" "" "" "(info)" ""
done
row "  --csv=targets of the whole history ($(hist targets_csv_mib) MiB)" "$(hist targets_csv_s) s" "" "" "<= 10 s" \
    "$(verdict "$(hist targets_csv_s)" 10)"
row "    processor" "$(hist targets_csv_cpu_s) s" "" "" "(info)" ""
row "  the same without the ways the game remembered (a history of an earlier version)" \
    "$(hist targets_csv_unremembered_s) s" "" "" "(info)" ""
row "  the game's first record of a session, on the game's thread" "$(hist first_record_ms) ms" "" "" "<= 100 ms" \
    "$(verdict "$(hist first_record_ms)" 100)"
row "    to its commit, after the check of the whole file on another thread" "$(hist first_record_whole_ms) ms" "" "" \
    "(info)" ""

# ---- The table ------------------------------------------------------------------------------------
{
    printf 'Measure\tNumbolo\tBaseline\tRatio\tGoal\tResult\n'
    printf '%s\n' "${rows[@]}"
} | awk -F '\t' '
    { for (i = 1; i <= NF; ++i) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } n = NR }
    END {
        for (r = 1; r <= n; ++r) {
            line = ""
            for (i = 1; i <= 6; ++i) line = line sprintf("%-" width[i] + 2 "s", cell[r, i])
            sub(/ +$/, "", line); print line
            if (r == 1) { rule = ""; for (i = 1; i <= 6; ++i) rule = rule sprintf("%-" width[i] + 2 "s", substr("------------------------------------------------------------", 1, width[i])); print rule }
        }
    }'
