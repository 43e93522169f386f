#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzzers with clang (libFuzzer, ASan, UBSan) in build-fuzz and runs each for a
# bounded time: the report descriptor fuzzer, seeded with the oracle descriptors, for
# FUZZ_SECONDS (default 60); the settings-file fuzzer, seeded with the good files in
# tests/fuzz/settings-seeds, for FUZZ_SETTINGS_SECONDS (default 30). Exits nonzero on any
# crash, sanitizer report or failed check.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${FUZZ_BUILD_DIR:-"$ROOT/build-fuzz"}
SECONDS_TO_RUN=${FUZZ_SECONDS:-60}
SETTINGS_SECONDS=${FUZZ_SETTINGS_SECONDS:-30}
# New inputs the fuzzer finds go to CORPUS and are kept between runs; SEEDS is rebuilt.
CORPUS="$BUILD/descriptor-corpus"
SEEDS="$BUILD/descriptor-seeds"
ARTIFACTS="$BUILD/descriptor-artifacts"

CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD" -G Ninja \
    -DTAMO_FUZZ=ON -DTAMO_BUILD_GUI=OFF -DTAMO_BUILD_TESTS=ON -DTAMO_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" --target descriptor_fuzzer settings_file_fuzzer -j2

# Every descriptor in the oracle files, one seed file each, named by content.
rm -rf "$SEEDS"
mkdir -p "$SEEDS" "$CORPUS" "$ARTIFACTS"
for json in "$ROOT"/tests/device/oracle/*.json; do
    grep -o '"hex": *"[0-9A-Fa-f]*"' "$json" | sed 's/.*"\([0-9A-Fa-f]*\)"$/\1/'
done | while read -r hex; do
    [ -n "$hex" ] || continue
    name=$(printf '%s' "$hex" | cksum | cut -d' ' -f1)
    printf '%s' "$hex" | perl -ne 'print pack("H*", $_)' >"$SEEDS/seed-$name"
done
echo "seeds: $(ls "$SEEDS" | wc -l) descriptors; corpus: $(ls "$CORPUS" | wc -l) inputs in $CORPUS"

# The fuzzer's progress goes to a log; its final figures, and the log's end on a failure,
# are shown.
LOG="$BUILD/descriptor-fuzzer.log"
status=0
"$BUILD/tests/fuzz/descriptor_fuzzer" -max_len=4096 -max_total_time="$SECONDS_TO_RUN" \
    -print_final_stats=1 -artifact_prefix="$ARTIFACTS/" "$CORPUS" "$SEEDS" >"$LOG" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 60 "$LOG"
    echo "descriptor fuzzer failed (exit $status); inputs in $ARTIFACTS"
    exit "$status"
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$LOG" || true
echo "descriptor fuzzer: no crash in ${SECONDS_TO_RUN} s"

# The settings-file reader: a JSON dictionary of the format's words helps it past the checks.
CORPUS="$BUILD/settings-corpus"
ARTIFACTS="$BUILD/settings-artifacts"
DICT="$BUILD/settings.dict"
mkdir -p "$CORPUS" "$ARTIFACTS"
cat >"$DICT" <<'EOF'
"\"format\""
"\"tamo-settings\""
"\"version\""
"\"board\""
"\"serial_number\""
"\"encoders\""
"\"B1+B2\""
"\"B19+B20\""
"\"1:4\""
"\"off\""
"\"pulse_length\""
"\"48 ms\""
"\"a_input\""
"\"Button 21\""
"\\u0065"
"1e400"
EOF
LOG="$BUILD/settings-file-fuzzer.log"
status=0
"$BUILD/tests/fuzz/settings_file_fuzzer" -max_len=8192 -max_total_time="$SETTINGS_SECONDS" \
    -dict="$DICT" -print_final_stats=1 -artifact_prefix="$ARTIFACTS/" "$CORPUS" \
    "$ROOT/tests/fuzz/settings-seeds" >"$LOG" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    tail -n 60 "$LOG"
    echo "settings-file fuzzer failed (exit $status); inputs in $ARTIFACTS"
    exit "$status"
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$LOG" || true
echo "settings-file fuzzer: no crash in ${SETTINGS_SECONDS} s"
