#!/bin/sh
# Runs a command from the point of view of a program started in a folder without write access:
# makes the folder, takes its write permission away and, for root (whom permissions do not
# hold), drops the capabilities that override them, as the release check does. The folder's
# Windows path goes to the command as ZV_READONLY_FOLDER; the folder is writable again after.
# Usage: restricted_run.sh <folder> <command> [arguments...]
set -u
folder=$1
shift
if [ -d "$folder" ]; then chmod -R u+w "$folder" && rm -rf "$folder"; fi
mkdir -p "$folder" && chmod a-w "$folder" || exit 1
ZV_READONLY_FOLDER="Z:$(printf '%s' "$folder" | tr / '\\')"
export ZV_READONLY_FOLDER
if [ "$(id -u)" = 0 ]; then
  setpriv --bounding-set=-dac_override,-dac_read_search,-fowner "$@"
else
  "$@"
fi
status=$?
chmod u+w "$folder"
exit $status
