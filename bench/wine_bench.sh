#!/usr/bin/env bash
# Budget @ZV_WINE_BUDGET@ (@ZV_WINE_SOURCE@): builds the
# measuring program in the Windows tree (the 32-bit one, or the x86-64 one on a machine that runs
# no 32-bit processes, as scripts/test decides) and runs it under Wine on a virtual display.
# Where Wine cannot run it, one line says that the budget was skipped and why; it begins as the
# budget lines do, so that it shows among them.
set -uo pipefail
top="@ZV_SOURCE_DIR@"
skip() {
  echo "budget @ZV_WINE_BUDGET@: skipped ($*)"
  exit 0
}
command -v wine >/dev/null || skip "Wine is not installed (scripts/setup installs it)"
command -v xvfb-run >/dev/null || skip "xvfb-run is not installed (scripts/setup installs it)"
. "$top/scripts/lib/windows-width.sh"
zv_windows_width || skip "$ZV_WIDTH_PROBLEM"
if [ "$ZV_WIDTH" = 64 ]; then
  tree="$top/build/windows64" arch=x86_64 prefix="$top/build/wineprefix64"
else
  tree="$top/build/windows" arch=i686 prefix="$top/build/wineprefix"
fi
jpeg="$top/.cache/mingw-jpeg-$arch"
[ -d "$jpeg" ] || skip "$jpeg is missing (scripts/setup builds it)"
# The same configuration as scripts/test gives the tree, so that neither rebuilds the other's.
cmake -S "$top" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-$arch.cmake" -DCMAKE_FIND_ROOT_PATH="$jpeg" \
  >/dev/null || exit 1
# The build's output only when it fails (its last lines are what scripts/bench shows then).
build_log="$tree/@ZV_WINE_TARGET@-build.log"
if ! cmake --build "$tree" -j"${ZV_JOBS:-2}" --target @ZV_WINE_TARGET@ p2kapi >"$build_log" 2>&1; then
  grep -E 'error|FAILED' "$build_log" | head -n 20
  echo "building @ZV_WINE_TARGET@ failed (all of it in $build_log)"
  exit 1
fi
export ZV_WINDOWS_WIDTH=$ZV_WIDTH ZV_WINDOWS_WIDTH_WHY=$ZV_WIDTH_WHY ZV_WINEPREFIX="$prefix"
xvfb-run -a -s "-screen 0 1280x1024x24" "$top/scripts/wine-run" \
  "$tree/@ZV_WINE_EXE@"
rc=$?
WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
exit "$rc"
