#!/usr/bin/env bash
# Tests of the width probe (scripts/lib/windows-width.sh) that every script shares: which build
# runs under Wine for each kind of machine and each ZV_WINDOWS_WIDTH, and that a width that
# cannot run stops scripts/test at once with one line. A machine that runs no 32-bit processes
# is stood in for by a loader that the kernel refuses (an ELF file for another processor).
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/zv-width-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "  FAIL $*"; failures=$((failures + 1)); }

runs="$work/runs"; refused="$work/refused"
cp "$(type -P true)" "$runs"
cp "$(type -P true)" "$refused"
printf '\x28\x00' | dd of="$refused" bs=1 seek=18 conv=notrunc 2>/dev/null  # e_machine: ARM
[ -x "$refused" ] && ! "$refused" 2>/dev/null || { echo "windows_width_test: the stand-in loader ran; cannot test"; exit 1; }

# The probe reads the loader's refusal in English whatever the locale it is sourced in; a Russian
# locale would otherwise say "Ошибка формата выполняемого файла". (scripts/setup makes it.)
russian=ru_RU.UTF-8
locale -a 2>/dev/null | grep -qix 'ru_RU.utf-\?8' || {
  echo "windows_width_test: no $russian locale here (scripts/setup makes it); its cases run in C.UTF-8"
  russian=C.UTF-8
}

# loader | ZV_WINDOWS_WIDTH | locale (empty: the caller's) | expected: width and reason, or
# "fails" and a word of the problem
cases=(
  "$runs|||32|this machine runs 32-bit processes"
  "$refused|||64|this machine runs no 32-bit processes"
  "$refused||$russian|64|this machine runs no 32-bit processes"
  "$work/missing|||64|this machine runs no 32-bit processes"
  "$runs|64||64|ZV_WINDOWS_WIDTH=64"
  "$refused|64||64|ZV_WINDOWS_WIDTH=64"
  "$runs|32||32|ZV_WINDOWS_WIDTH=32"
  "$refused|32||fails|Exec format error"
  "$refused|32|$russian|fails|Exec format error"
  "$refused|32|C.UTF-8|fails|Exec format error"
  "$work/missing|32||fails|is missing"
  "$runs|16||fails|must be 32, 64 or unset"
)
for c in "${cases[@]}"; do
  IFS='|' read -r loader forced lang want why <<<"$c"
  locale_env=()
  [ -n "$lang" ] && locale_env=(LANG="$lang" LC_ALL="$lang" LANGUAGE="${lang%%_*}")
  got=$(env "${locale_env[@]}" ZV_WINE32_LOADER="$loader" ZV_WINDOWS_WIDTH="$forced" ZV_WINDOWS_WIDTH_WHY= bash -c '
    . "$1/scripts/lib/windows-width.sh"
    if zv_windows_width; then echo "$ZV_WIDTH|$ZV_WIDTH_WHY"; else echo "fails|$ZV_WIDTH_PROBLEM"; fi' _ "$top")
  [ "${got%%|*}" = "$want" ] && [[ "${got#*|}" == *"$why"* ]] ||
    fail "loader $(basename "$loader"), ZV_WINDOWS_WIDTH='$forced', locale '${lang:-as is}': got '$got', want '$want|…$why…'"
done

# A forced width handed on by a script that decided it keeps that script's reason.
got=$(ZV_WINE32_LOADER=$refused ZV_WINDOWS_WIDTH=64 ZV_WINDOWS_WIDTH_WHY="this machine runs no 32-bit processes" \
  bash -c '. "$1/scripts/lib/windows-width.sh"; zv_windows_width && echo "$ZV_WIDTH|$ZV_WIDTH_WHY"' _ "$top")
[ "$got" = "64|this machine runs no 32-bit processes" ] || fail "a handed-on reason: got '$got'"

# For 64, `wine` is the 64-bit loader, with WINELOADER pointing at it; for 32, Debian's own.
got=$(ZV_WINDOWS_WIDTH=64 bash -c '. "$1/scripts/lib/windows-width.sh"; zv_windows_width &&
  zv_use_wine_of_width && echo "$(command -v wine)|$WINELOADER"' _ "$top")
[ "${got%%|*}" = "$top/scripts/wine64/wine" ] && [[ "${got#*|}" == */wine64 ]] && [ -x "${got#*|}" ] ||
  fail "ZV_WINDOWS_WIDTH=64: wine and WINELOADER are '$got'"
got=$(ZV_WINE32_LOADER=$runs ZV_WINDOWS_WIDTH=32 bash -c '. "$1/scripts/lib/windows-width.sh";
  zv_windows_width && zv_use_wine_of_width && command -v wine' _ "$top")
[ "$got" != "$top/scripts/wine64/wine" ] || fail "ZV_WINDOWS_WIDTH=32 still takes the 64-bit wine"

# A forced width that cannot run: scripts/test stops before building anything, with one line.
out=$(ZV_WINE32_LOADER=$refused ZV_WINDOWS_WIDTH=32 ZV_WINDOWS_WIDTH_WHY= "$top/scripts/test" 2>&1 | grep -v '^setup: ')
rc=${PIPESTATUS[0]}
[ "$rc" -ne 0 ] && [ "$(echo "$out" | wc -l)" -eq 1 ] &&
  [[ "$out" == "test: ZV_WINDOWS_WIDTH=32, but this machine runs no 32-bit x86 processes"* ]] ||
  fail "scripts/test with a width that cannot run: exit ${rc:-?}, printed: $out"

echo "windows_width_test: $((${#cases[@]} + 4)) checks, $failures failure(s)"
[ "$failures" -eq 0 ]
