#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz) in the checking build folder and runs
# each for the given number of seconds (default 300), starting from seeds
# taken from data/ and tests/fuzz/seeds. The corpus each run grows is kept in
# <build>/fuzz/corpus/<target> for the next run; inputs that break a target
# land in <build>/fuzz/artifacts. Prints the executions per target; fails
# when any target found something.
#   tools/fuzz.sh [seconds]          CE_FUZZ_BUILD=<folder> to use another folder
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
build=${CE_FUZZ_BUILD:-build-asan}
jobs=${CE_JOBS:-2}

tools/asan-configure.sh "$build"
cmake --build "$build" --target ce_fuzz -j"$jobs"
# shellcheck source=tools/sanitizer-env.sh
source tools/sanitizer-env.sh

# Seeds: the shipped files each reader reads, and small hand-made inputs.
seeds_of() {
  case "$1" in
    catalogue_reader_fuzz) echo tests/fuzz/seeds/catalogue_reader ;;
    language_table_fuzz)   echo data/lang.cfg data/lang-en.cfg ;;
    defaults_file_fuzz)    echo data/defaut.cfg ;;
    config_file_fuzz)      echo data/config.cfg ;;
    project_file_fuzz)     echo data/demo/demo.pam ;;
    rtf_reader_fuzz)       echo data/aide.rtf data/help-en.rtf tests/fuzz/seeds/rtf_reader ;;
    textfile_fuzz)         echo data/lang.cfg data/config.cfg data/defaut.cfg data/serveur.cfg \
                                data/demo/demo.pam tests/fuzz/seeds/textfile ;;
    numbers_fuzz)          echo tests/fuzz/seeds/numbers ;;
    query_address_fuzz)    echo tests/fuzz/seeds/query_address ;;
    asu_request_fuzz)      echo tests/fuzz/seeds/asu_request ;;
    asu_table_fuzz)        echo tests/fuzz/seeds/asu_table ;;
    header_hints_fuzz)     echo tests/fuzz/seeds/header_hints ;;
    fits_header_fuzz)      echo tests/fuzz/seeds/fits_header ;;
    wcs_header_fuzz)       echo tests/fuzz/seeds/wcs_header ;;
    star_list_csv_fuzz)    echo tests/fuzz/seeds/star_list_csv ;;
    *) echo "no seeds for $1" >&2; exit 1 ;;
  esac
}

failed=()
summary=()
mkdir -p "$build/fuzz/artifacts"
for exe in "$build"/fuzz/*_fuzz; do
  name=$(basename "$exe")
  corpus="$build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  for s in $(seeds_of "$name"); do
    if [ -d "$s" ]; then cp -n "$s"/* "$corpus"/; else cp -n "$s" "$corpus"/; fi
  done
  log="$build/fuzz/$name.log"
  echo "== $name: ${seconds} s"
  status=0
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$build/fuzz/artifacts/$name-" "$corpus" >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$status" -ne 0 ]; then
    failed+=("$name")
    summary+=("$(printf '%-24s FAILED (exit %s) after %s executions, see %s' "$name" "$status" "${execs:-?}" "$log")")
    grep -E "^(==[0-9]+==ERROR|SUMMARY|property broken)|runtime error" "$log" | head -5 || true
  else
    summary+=("$(printf '%-24s %10s executions in %s s, corpus %s inputs' "$name" "${execs:-?}" "$seconds" \
                "$(find "$corpus" -type f | wc -l)")")
  fi
done
echo "== fuzz summary"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets that found something: ${failed[*]}" >&2
  exit 1
fi
