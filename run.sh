#!/usr/bin/env bash
# Installs what is missing, builds (Release), creates the demo database when it
# is not there yet, and starts the host program on it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

# The host's windows need a display; say so before a long build, not after it.
# --help and option errors are answered by the host itself on any terminal.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ] && [[ " $* " != *" --help "* && " $* " != *" -h "* ]]; then
  echo "run.sh starts the host's windows and needs a graphical session (DISPLAY or WAYLAND_DISPLAY is empty)." >&2
  echo "Run it from a desktop session, or without a screen: QT_QPA_PLATFORM=offscreen ./run.sh ..." >&2
  exit 1
fi

install_packages
build_project build-release Release -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF

DEMO_DB=${CORVANE_DEMO_DB:-$PWD/demo/corvane-demo.db}
mkdir -p "$(dirname "$DEMO_DB")"
if [ ! -f "$DEMO_DB" ]; then
  echo "Creating the demo database $DEMO_DB"
  build-release/apps/corvane-makedb/corvane-makedb --db "sqlite:$DEMO_DB" --demo
fi

HOST=build-release/apps/corvane-host/corvane-host
if [ ! -x "$HOST" ]; then
  echo "The demo database is ready at $DEMO_DB; the host program is not built yet."
  exit 0
fi
# The host starts only where the system's short date format writes dates with
# "-": see scripts/date_locale.sh, which also lifts an LC_ALL that would hide
# the date category.
source scripts/date_locale.sh
run_with_date_locale "$HOST" --db "sqlite:$DEMO_DB" "$@"
