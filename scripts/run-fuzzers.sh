#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${KAVOX_FUZZ_SECONDS:-20}

if ! ls fuzz/*.cmake >/dev/null 2>&1; then
    exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKAVOX_FUZZ=ON -DKAVOX_TESTS=OFF -DKAVOX_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target fuzzers

status=0
for target in build/fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=fuzz/seeds/${name#fuzz_}
    extra=()
    [ -d "$seeds" ] && extra+=("$seeds")
    echo "== $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${extra[@]}" \
        >"build/fuzz/$name.log" 2>&1; then
        echo "FAILED: $name (see build/fuzz/$name.log)"
        tail -40 "build/fuzz/$name.log"
        status=1
    else
        grep -E 'stat::number_of_executed_units' "build/fuzz/$name.log" || true
    fi
done
exit $status
