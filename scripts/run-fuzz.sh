#!/usr/bin/env bash
# Runs each fuzz target for a bounded time, starting from seeds made from the
# sample collection. Any crash, leak or sanitizer report fails the run.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
corpus=$build/corpus
mkdir -p "$corpus"/{fuzz_pack,fuzz_ini,fuzz_jpeg}
cp "$build/interface.dat" "$corpus/fuzz_pack/seed.dat"
find "$here/content" -name '*.txt' -exec cp {} "$corpus/fuzz_ini/" \;
find "$here/content" -iname '*.jpg' -size -200k -exec cp {} "$corpus/fuzz_jpeg/" \; 2>/dev/null || true
printf '\xff\xd8\xff\xdb' > "$corpus/fuzz_jpeg/start"
export QT_QPA_PLATFORM=offscreen
for target in fuzz_pack fuzz_ini fuzz_jpeg; do
  echo "== $target for ${seconds}s"
  "$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus/$target"
done
