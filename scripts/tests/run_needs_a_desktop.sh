#!/bin/sh
# scripts/run without a display still installs and builds, then says that
# the program needs a desktop session and fails instead of starting it; with
# a display, Wayland's or a Qt platform named, it goes on. The script runs as a copy
# beside stand-ins for the installer and for cmake, which note that they ran.
#
#   run_needs_a_desktop.sh SCRIPTS_RUN
set -u
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/top/scripts" "$work/bin"
cp "$1" "$work/top/scripts/run" || exit 1
for stand_in in "$work/top/scripts/install-deps" "$work/bin/cmake"; do
  printf '#!/bin/sh\necho "$0" >> "%s/ran"\n' "$work" > "$stand_in"
  chmod +x "$stand_in"
done

failed=0
# run_case NAME SHOULD_START [VARIABLE=VALUE...]
run_case() {
  name=$1
  starts=$2
  shift 2
  rm -f "$work/ran"
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" PATH="$work/bin:$PATH" \
    QUENDREL_BUILD_DIR="$work/build" "$work/top/scripts/run" 2>&1)
  status=$?
  if [ "$starts" = yes ]; then
    if [ "$status" -ne 0 ] || [ ! -e "$work/ran" ]; then
      echo "$name: scripts/run did not go on to build (status $status): $output" >&2
      failed=1
    fi
  else
    case $output in
      *"needs a desktop session"*) ;;
      *) echo "$name: scripts/run did not say it needs a desktop session: $output" >&2; failed=1 ;;
    esac
    if [ "$status" -eq 0 ]; then echo "$name: scripts/run ended with 0" >&2; failed=1; fi
    if [ ! -e "$work/ran" ]; then echo "$name: scripts/run did not install and build first" >&2; failed=1; fi
  fi
}

run_case "no display" no
run_case "empty DISPLAY" no DISPLAY=
run_case "an X display" yes DISPLAY=:0
run_case "a Wayland display" yes WAYLAND_DISPLAY=wayland-0
run_case "a Qt platform named" yes QT_QPA_PLATFORM=offscreen
exit "$failed"
