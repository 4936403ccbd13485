#!/usr/bin/env bash
# The whole check on a fresh Debian 12 machine: installs what is missing,
# builds, and runs every test: the full build (warnings are errors), the unit
# and integration tests under AddressSanitizer + UndefinedBehaviorSanitizer,
# the threaded tests under ThreadSanitizer, and a short fuzzing run.
# Skip stages with TALKBACK_SKIP="asan tsan fuzz" (for a quick local run).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
skip=" ${TALKBACK_SKIP:-} "
jobs="$(nproc)"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.ccache}"
export QT_QPA_PLATFORM=offscreen

stage() { printf '\n==== %s ====\n' "$*"; }

stage "dependencies"
bash scripts/install-deps.sh

stage "build (RelWithDebInfo, warnings are errors)"
bash scripts/build.sh ci -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALKBACK_WERROR=ON

stage "tests"
ctest --test-dir build/ci -j "$jobs" --output-on-failure --timeout 300

if [[ "$skip" != *" asan "* ]]; then
  stage "AddressSanitizer + UndefinedBehaviorSanitizer"
  bash scripts/build.sh asan -DCMAKE_BUILD_TYPE=Debug -DTALKBACK_SANITIZE="address;undefined" \
    -DTALKBACK_BUILD_GUI=OFF -DTALKBACK_BUILD_BENCH=OFF
  ASAN_OPTIONS="detect_leaks=1:abort_on_error=0" \
  LSAN_OPTIONS="suppressions=$root/scripts/sanitizers/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
    ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600
fi

if [[ "$skip" != *" tsan "* ]]; then
  stage "ThreadSanitizer (threaded tests)"
  # Only the threaded tests (and the simulator they talk to) are built here.
  cmake -S "$root" -B build/tsan -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Debug -DTALKBACK_SANITIZE=thread \
    -DTALKBACK_BUILD_GUI=OFF -DTALKBACK_BUILD_BENCH=OFF >/dev/null
  mapfile -t threaded < <(ctest --test-dir build/tsan -N -L threaded | awk '/Test +#/ {print $3}')
  CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1 cmake --build build/tsan -j "$jobs" --target talkback-sim "${threaded[@]}"
  TSAN_OPTIONS="suppressions=$root/scripts/sanitizers/tsan.supp:halt_on_error=1:second_deadlock_stack=1" \
    ctest --test-dir build/tsan -j "$jobs" -L threaded --output-on-failure --timeout 600
fi

if [[ "$skip" != *" fuzz "* ]]; then
  stage "fuzzing (framing, rows, families, XML, file channel, config.ini)"
  bash scripts/build.sh fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALKBACK_SANITIZE="address;undefined" -DTALKBACK_BUILD_FUZZ=ON -DTALKBACK_BUILD_GUI=OFF \
    -DTALKBACK_BUILD_SIM=OFF -DTALKBACK_BUILD_TESTS=OFF -DTALKBACK_BUILD_BENCH=OFF
  # Each target runs for a short fixed time from its seeds (fuzz/corpus/<target>/);
  # TALKBACK_FUZZ_SECONDS sets the time per target.
  for target in fuzz_dbp fuzz_rowreader fuzz_families fuzz_xml fuzz_media fuzz_ini; do
    corpus="build/fuzz/corpus-run/$target"
    rm -rf "$corpus" && mkdir -p "$corpus" && cp "fuzz/corpus/$target/"* "$corpus/"
    echo "-- $target"
    ASAN_OPTIONS="detect_leaks=1" LSAN_OPTIONS="suppressions=$root/scripts/sanitizers/lsan.supp" \
      "build/fuzz/fuzz/$target" -max_total_time="${TALKBACK_FUZZ_SECONDS:-30}" -max_len=8192 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/fuzz/$target-" "$corpus" 2>&1 | tail -n 12
  done
  echo "fuzzing: no finding"
fi

stage "all checks passed"
