#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test: the Qt-free core
# cross-built for Windows under Wine, the whole suite under AddressSanitizer
# and UndefinedBehaviorSanitizer, a short run of every fuzzer, then the whole
# suite natively (its summary comes before the package's line), and the Debian
# package, built meanwhile and checked (tools/package/check-deb.sh).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The sanitizer build needs only the build packages; the test packages install
# while it compiles.
install_packages "${BUILD_PACKAGES[@]}"
install_in_background "${TEST_PACKAGES[@]}"
use_compiler_cache
export QT_QPA_PLATFORM=offscreen
status=0

echo "== Sanitizers (ASan + UBSan): build =="
build "$BUILD_DIR-sanitize" -DZELK_SANITIZE=ON -DZELK_BUILD_BENCH=OFF
finish_background_install || exit 1

if [ -x "$ROOT/tools/ci/wine-core-tests.sh" ]; then
  echo "== Qt-free core under Wine =="
  "$ROOT/tools/ci/wine-core-tests.sh" "$BUILD_DIR-wine" || status=1
fi

echo "== Sanitizers (ASan + UBSan): tests =="
# Modules stay mapped after unloading so leak reports can name their code.
ZELK_KEEP_MODULES_LOADED=1 \
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions=$ROOT/tests/lsan.supp \
  ctest --test-dir "$BUILD_DIR-sanitize" --output-on-failure -j "$JOBS" || status=1

# The Debian package builds in the background from here, at a lower priority:
# each fuzzer runs on one core and leaves the other free.
PACKAGE_DIR=$BUILD_DIR-package/out
PACKAGE_LOG=$(mktemp "${TMPDIR:-/tmp}/zelk-package-XXXXXX")
ZELK_PACKAGE_BUILD_DIR=$BUILD_DIR-package nice -n 10 bash "$ROOT/tools/package/deb.sh" "$PACKAGE_DIR" \
  >"$PACKAGE_LOG" 2>&1 &
package_pid=$!

echo "== Fuzzers (libFuzzer, ${ZELK_FUZZ_SECONDS:-20} s each) =="
"$ROOT/tools/ci/fuzz-smoke.sh" "$BUILD_DIR-fuzz" || status=1

echo "== Native =="
build "$BUILD_DIR"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$JOBS" || status=1

echo "== Debian package =="
if wait $package_pid; then
  bash "$ROOT/tools/package/check-deb.sh" "$(tail -n 1 "$PACKAGE_LOG")" || status=1
else
  cat "$PACKAGE_LOG"
  echo "The Debian package was not built." >&2
  status=1
fi
rm -f "$PACKAGE_LOG"
exit $status
