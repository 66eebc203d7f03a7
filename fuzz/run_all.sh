#!/usr/bin/env bash
# Runs every fuzz target for a while in an existing fuzz build tree.
#
#   fuzz/run_all.sh [SECONDS] [BUILD_DIR]      (defaults: 60, <repo>/build-fuzz)
#
# Seeds are (re)written to BUILD_DIR/seeds, the growing corpus is kept in
# BUILD_DIR/corpus/<target>, crash inputs go to BUILD_DIR/artifacts/<target>/,
# logs to BUILD_DIR/logs/<target>.txt. Exits non-zero if any target failed.
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$repo/build-fuzz}"
cd "$build" || exit 2

declare -A max_len=([fuzz_group_table]=45000 [fuzz_word_index]=8192 [fuzz_article_base]=12000
                    [fuzz_markup]=4096 [fuzz_text]=1024 [fuzz_index_files]=65536 [fuzz_tokenizer]=4096
                    [font_archive_fuzzer]=4096 [language_file_fuzzer]=20000 [fuzz_list_file]=4096
                    [fuzz_picture_bases]=4096 [fuzz_sound_archive]=4096 [fuzz_dict_command]=1100
                    [fuzz_stardict]=8192 [fuzz_dsl]=8192 [fuzz_xdxf]=8192 [fuzz_wiktionary]=8192 [fuzz_tab]=4096)
# Targets whose readers must never allocate more than their input holds run
# with a malloc limit far below libFuzzer's default.
declare -A extra=([fuzz_picture_bases]="-malloc_limit_mb=64" [fuzz_sound_archive]="-malloc_limit_mb=64"
                  [fuzz_stardict]="-malloc_limit_mb=64" [fuzz_dsl]="-malloc_limit_mb=64"
                  [fuzz_xdxf]="-malloc_limit_mb=256" [fuzz_wiktionary]="-malloc_limit_mb=256")
./fuzz/lexmora_fuzz_seeds seeds >/dev/null || exit 2
status=0
for target in fuzz_group_table fuzz_word_index fuzz_article_base fuzz_markup fuzz_text fuzz_index_files fuzz_tokenizer \
              font_archive_fuzzer language_file_fuzzer fuzz_list_file fuzz_picture_bases fuzz_sound_archive \
              fuzz_dict_command fuzz_stardict fuzz_dsl fuzz_xdxf fuzz_wiktionary fuzz_tab; do
  mkdir -p "corpus/$target" "artifacts/$target" "seeds/$target" logs  # not every target has seeds
  # shellcheck disable=SC2086 # the extra options are separate words
  "./fuzz/$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 ${extra[$target]:-} \
    -print_final_stats=1 -artifact_prefix="artifacts/$target/" "corpus/$target" "seeds/$target" \
    >"logs/$target.txt" 2>&1
  rc=$?
  runs=$(grep -o 'number_of_executed_units: *[0-9]*' "logs/$target.txt" | grep -o '[0-9]*$')
  printf '%-20s exit %d, %s executions in %s s\n' "$target" "$rc" "${runs:-?}" "$seconds"
  [[ $rc -eq 0 ]] || status=1
done
exit $status
