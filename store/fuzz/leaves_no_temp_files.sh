#!/bin/sh
# Runs a fuzzer with a temporary folder of its own, FOLDER (made empty
# first), and fails when the fuzzer fails or leaves anything in FOLDER.
#
#   leaves_no_temp_files.sh FOLDER FUZZER [ARGUMENT...]
set -u
folder=$1
shift
rm -rf "$folder" && mkdir -p "$folder" || exit 1
TMPDIR=$folder "$@"
status=$?
left=$(ls -A "$folder")
if [ -n "$left" ]; then
  echo "The fuzzer left in its temporary folder $folder:" $left >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
