#!/usr/bin/env bash
# The test command: sets up what is missing, builds for x86_64 and i686, runs every test of the
# x86_64 build under Wine and ends with one summary line.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

"$top/tools/setup.sh" || { echo "0 passed, 1 failed (set-up failed)"; exit 1; }

# The 32-bit build only has to compile and link: 32-bit programs cannot run here.
mkdir -p "$top/build"
"$top/tools/build.sh" i686 -DTALVO_BUILD_TESTS=OFF > "$top/build/i686.log" 2>&1 &
i686=$!
if ! "$top/tools/build.sh" x86_64; then
  wait $i686
  echo "0 passed, 1 failed (the x86_64 build failed)"; exit 1
fi
if ! wait $i686; then
  tail -40 "$top/build/i686.log"
  echo "0 passed, 1 failed (the i686 build failed; log in build/i686.log)"; exit 1
fi

# One X server for every window test of the run.
if [ -z "${DISPLAY:-}" ]; then
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; rm -f "$displayfile"' EXIT
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$displayfile")"
fi

cd "$top/build/x86_64"
ctest -j"${TALVO_JOBS:-$(nproc)}" --output-on-failure --timeout 600 2>&1 | tee ctest.log
# Count the test programs, not the fixture that starts and stops the Wine session.
results=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' ctest.log | grep -v ': wine\.')
[ -n "$results" ] || { echo "0 passed, 1 failed (ctest ran no tests)"; exit 1; }
passed=$(grep -c ' Passed ' <<<"$results")
failed=$(( $(wc -l <<<"$results") - passed ))
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && grep -q '100% tests passed' ctest.log
