#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs every test: the suite in the C
# locale and in a German one, the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

total=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs ctest and adds its test count to the total (a failure stops the script).
run_ctest() {
  ctest "$@" 2>&1 | tee "$log"
  total=$((total + $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)))
}

echo "== Build and test =="
scripts/build.sh -DPARVELIN_WERROR=ON
export QT_QPA_PLATFORM=offscreen
run_ctest --test-dir build --output-on-failure -j2
echo "== The same tests under LC_ALL=de_DE.UTF-8 =="
LC_ALL=de_DE.UTF-8 run_ctest --test-dir build --output-on-failure -j2

echo "== The Debian package =="
scripts/check-package.sh "$(scripts/package.sh)"

echo "== Sanitizers (ASan + UBSan) =="
BUILD_DIR=build-asan BUILD_TYPE=Debug scripts/build.sh -DPARVELIN_WERROR=ON -DPARVELIN_SANITIZE=ON -DPARVELIN_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_ctest --test-dir build-asan --output-on-failure -j2

echo "== Fuzzing the readers (coordinate files, Import, rib designs, wing panels) for ${PARVELIN_FUZZ_SECONDS:-60} s each =="
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPARVELIN_FUZZ=ON -DPARVELIN_WERROR=ON \
  -DPARVELIN_BUILD_GUI=OFF -DPARVELIN_BUILD_TESTS=OFF -DPARVELIN_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz
mkdir -p build-fuzz/corpus
build-fuzz/fuzz/parvelin_fuzz_document -max_total_time="${PARVELIN_FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/ -print_final_stats=1 build-fuzz/corpus tests/data/airfoils 2>&1 | tail -n 12
mkdir -p build-fuzz/corpus-rib-design
build-fuzz/fuzz/parvelin_fuzz_rib_design -max_total_time="${PARVELIN_FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/ -print_final_stats=1 build-fuzz/corpus-rib-design tests/data/rib_designs 2>&1 | tail -n 12
mkdir -p build-fuzz/corpus-import
build-fuzz/fuzz/parvelin_fuzz_import -max_total_time="${PARVELIN_FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/import- -print_final_stats=1 build-fuzz/corpus-import tests/data/airfoils tests/data/fuzz/import 2>&1 | tail -n 12
mkdir -p build-fuzz/corpus-wing
build-fuzz/fuzz/parvelin_fuzz_wing -max_total_time="${PARVELIN_FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/wing- -print_final_stats=1 build-fuzz/corpus-wing tests/data/airfoils 2>&1 | tail -n 5
mkdir -p build-fuzz/corpus-naca
build-fuzz/fuzz/parvelin_fuzz_naca -max_total_time="${PARVELIN_FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/naca- -print_final_stats=1 build-fuzz/corpus-naca 2>&1 | tail -n 5
echo "Fuzzing found no crash."
echo
echo "All test runs: $total passed, 0 failed"
