# Which width of the Windows build runs under Wine on this machine: sourced by scripts/test,
# scripts/run, scripts/wine-run and scripts/check-release, so that all four decide alike.
#
# The program users get is 32-bit, and it runs under Wine's 32-bit loader. Some machines run no
# 32-bit x86 process at all (the kernel refuses every i386 program with "Exec format error"),
# and there the whole Windows suite runs on the same sources built for x86-64, under Wine's
# 64-bit loader, instead.
#   ZV_WINDOWS_WIDTH=32|64   forces one width (64 works on any machine; 32 fails at once where
#                            32-bit programs cannot run)
#   ZV_WINDOWS_WIDTH_WHY     the reason that goes with a forced width: a script that decided
#                            the width hands both on to the scripts it starts
#
# zv_windows_width        sets ZV_WIDTH (32 or 64) and ZV_WIDTH_WHY (one short reason);
#                         returns 1, with the reason in ZV_WIDTH_PROBLEM, when the width asked
#                         for cannot run here
# zv_windows_width_or_exit <script>   the same, or one line "<script>: <problem>" and exit 1
# zv_use_wine_of_width    puts the loader of ZV_WIDTH first: for 64, `wine` on PATH becomes
#                         Wine's 64-bit loader (scripts/wine64/) with WINELOADER set to it
# ZV_WINE32_LOADER names another 32-bit loader to probe (tests of this file use it).

zv_wine32_loader=${ZV_WINE32_LOADER:-/usr/lib/wine/wine}

# Runs the 32-bit Wine loader; it needs nothing but the kernel's consent and Wine's 32-bit
# part, which scripts/setup installs. Its error ("Exec format error") goes to ZV_WIDTH_ERROR,
# in English whatever the machine's locale (a Russian one would translate it): the subshell that
# starts the loader, and reports its refusal, takes the C locale, while the caller's own (which
# Wine takes its Windows language from) stays as it is. (A locale given to the command alone would
# not reach bash's own message, and env would hand a refused program on to /bin/sh.)
zv_runs_32bit() {
  local out
  if [ ! -x "$zv_wine32_loader" ]; then
    ZV_WIDTH_ERROR="$zv_wine32_loader is missing (scripts/setup installs wine32:i386)"
    return 1
  fi
  if out=$(export LC_ALL=C LANGUAGE=; "$zv_wine32_loader" --version 2>&1); then
    return 0
  fi
  ZV_WIDTH_ERROR="$zv_wine32_loader: $(echo "$out" | tail -n 1 | sed 's/^.*: //')"
  return 1
}

zv_windows_width() {
  ZV_WIDTH_ERROR="" ZV_WIDTH_PROBLEM=""
  case "${ZV_WINDOWS_WIDTH:-}" in
    64)
      ZV_WIDTH=64 ZV_WIDTH_WHY="${ZV_WINDOWS_WIDTH_WHY:-ZV_WINDOWS_WIDTH=64}" ;;
    32)
      ZV_WIDTH=32 ZV_WIDTH_WHY="${ZV_WINDOWS_WIDTH_WHY:-ZV_WINDOWS_WIDTH=32}"
      if ! zv_runs_32bit; then
        ZV_WIDTH_PROBLEM="ZV_WINDOWS_WIDTH=32, but this machine runs no 32-bit x86 processes"
        ZV_WIDTH_PROBLEM+=" ($ZV_WIDTH_ERROR); unset it, or set ZV_WINDOWS_WIDTH=64"
        return 1
      fi ;;
    "")
      if zv_runs_32bit; then
        ZV_WIDTH=32 ZV_WIDTH_WHY="this machine runs 32-bit processes"
      else
        ZV_WIDTH=64 ZV_WIDTH_WHY="this machine runs no 32-bit processes"
      fi ;;
    *)
      ZV_WIDTH_PROBLEM="ZV_WINDOWS_WIDTH is '$ZV_WINDOWS_WIDTH'; it must be 32, 64 or unset"
      return 1 ;;
  esac
  return 0
}

zv_windows_width_or_exit() {  # zv_windows_width_or_exit <script name>
  zv_windows_width && return 0
  echo "$1: $ZV_WIDTH_PROBLEM" >&2
  exit 1
}

zv_use_wine_of_width() {
  local shims
  shims=$(cd "$(dirname "${BASH_SOURCE[0]}")/../wine64" && pwd)
  if [ "$ZV_WIDTH" = 64 ]; then
    case ":$PATH:" in *":$shims:"*) ;; *) export PATH="$shims:$PATH" ;; esac
    WINELOADER=$("$shims/wine" --loader) || return 1
    export WINELOADER
  else  # a caller of the other width may have put them first
    PATH=$(echo ":$PATH:" | sed "s#:$shims:#:#g; s#^:##; s#:\$##")
    export PATH
    case "${WINELOADER:-}" in */wine64) unset WINELOADER ;; esac
  fi
}
