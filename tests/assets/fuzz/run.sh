#!/usr/bin/env bash
# Builds the fuzz targets of the assets subsystem with clang (libFuzzer, ASan, UBSan) and
# runs each for a bounded time, starting from the seed corpus in corpus/<target>
# (fuzz_user_picture draws through Mesa without a display).
#   tests/assets/fuzz/run.sh            30 seconds per target
#   tests/assets/fuzz/run.sh 3600       an hour per target
# New inputs found on the way go to build-fuzz-assets/corpus/<target>, crashes to
# build-fuzz-assets/crash-* ; the seed corpus in the repository is left unchanged.
set -euo pipefail
seconds="${1:-30}"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
build="$root/build-fuzz-assets"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 >/dev/null

# Leaks that belong to system libraries, not to this program (see lsan.supp).
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

status=0
for target in fuzz_plain_bmp fuzz_mipmap_bmp fuzz_descramble fuzz_settings fuzz_user_picture; do
  mkdir -p "$build/corpus/$target"
  echo "== $target for ${seconds}s"
  # A tiny file may declare a picture at the size limit, which SOIL then scales, mipmaps
  # and compresses: a second in the program, ten or more on a busy machine under ASan.
  timeout=10
  [ "$target" = fuzz_user_picture ] && timeout=60
  if ! (cd "$build" && "./$target" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
         -max_len=65536 -print_final_stats=0 "corpus/$target" "$here/corpus/$target" \
         2>"$build/$target.log"); then
    tail -n 40 "$build/$target.log"
    status=1
  else
    grep -E "^#[0-9]+ *DONE" "$build/$target.log" || tail -n 1 "$build/$target.log"
  fi
done
exit $status
