#!/usr/bin/env bash
# Imports Debian's FreeDict English-German dictionary (package
# dict-freedict-eng-deu) into a program folder for the benchmarks.
#
#   bench/prepare_freedict.sh [OUT_DIR]       (default: <repo>/build/freedict)
#
# The importer is taken from $LEXMORA_IMPORT, else from the first build tree
# that has it (build-tools, build, build-bench). Then run:
#   LEXMORA_BENCH_DIR=OUT_DIR build-bench/bench/lexmora_bench
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$repo/build/freedict}"
index="${FREEDICT_INDEX:-/usr/share/dictd/freedict-eng-deu.index}"
dict="${FREEDICT_DICT:-/usr/share/dictd/freedict-eng-deu.dict.dz}"

importer="${LEXMORA_IMPORT:-}"
if [[ -z "$importer" ]]; then
  for tree in build-tools build build-bench; do
    if [[ -x "$repo/$tree/tools/lexmora-import" ]]; then importer="$repo/$tree/tools/lexmora-import"; break; fi
  done
fi
if [[ -z "$importer" || ! -x "$importer" ]]; then
  echo "prepare_freedict.sh: lexmora-import not found; build the target lexmora-import or set LEXMORA_IMPORT" >&2
  exit 1
fi
for f in "$index" "$dict"; do
  if [[ ! -r "$f" ]]; then
    echo "prepare_freedict.sh: $f is missing (apt-get install dict-freedict-eng-deu)" >&2
    exit 1
  fi
done

mkdir -p "$out"
echo "importing $index into $out (group 1) with $importer"
time "$importer" --index "$index" --dict "$dict" --out "$out" --group 1
ls -l "$out" "$out/DICT"
echo
echo "LEXMORA_BENCH_DIR=$out $repo/build-bench/bench/lexmora_bench"
