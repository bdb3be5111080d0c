#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: the core and Qt tests, then
# the core tests again under AddressSanitizer + UndefinedBehaviorSanitizer (a build without Qt).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
start=$(date +%s)

configure_and_build "$BUILD"
export QT_QPA_PLATFORM=offscreen
echo "== core and Qt tests"
status=0
ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" || status=1

ASAN_BUILD="${PELION_ASAN_BUILD_DIR:-$ROOT/build-asan}"
configure_and_build "$ASAN_BUILD" -DPELION_BUILD_UI=OFF -DPELION_SANITIZE=ON \
    -DPELION_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
echo "== core tests under ASan + UBSan"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$ASAN_BUILD" --output-on-failure -j "$JOBS" || status=1

echo "== test command took $(( $(date +%s) - start )) s"
exit $status
