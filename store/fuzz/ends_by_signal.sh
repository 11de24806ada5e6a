#!/bin/sh
# Runs a fuzzer with a temporary folder of its own, FOLDER (made empty
# first), stops it with SIGNAL (INT or TERM) once it is fuzzing, and fails
# unless the signal ended it and FOLDER is empty again.
#
#   ends_by_signal.sh FOLDER SIGNAL FUZZER [ARGUMENT...]
set -u
folder=$1
signal=$2
shift 2
case $signal in
  INT) number=2 ;;
  TERM) number=15 ;;
  *) echo "SIGNAL is INT or TERM, not $signal" >&2; exit 2 ;;
esac
rm -rf "$folder" && mkdir -p "$folder" || exit 1
TMPDIR=$folder "$@" &
fuzzer=$!
# It is fuzzing once its work folder is there.
waited=0
while [ -z "$(ls -A "$folder")" ] && [ "$waited" -lt 300 ]; do
  sleep 0.1
  waited=$((waited + 1))
done
if [ -z "$(ls -A "$folder")" ]; then
  echo "The fuzzer made no work folder in $folder" >&2
  kill -KILL "$fuzzer"
  exit 1
fi
sleep 1
kill -"$signal" "$fuzzer"
wait "$fuzzer"
status=$?
expected=$((128 + number))
left=$(ls -A "$folder")
failed=0
if [ "$status" -ne "$expected" ]; then
  echo "Stopped by SIG$signal, the fuzzer ended with $status, not by the signal ($expected)" >&2
  failed=1
fi
if [ -n "$left" ]; then
  echo "The fuzzer left in its temporary folder $folder:" $left >&2
  failed=1
fi
exit "$failed"
