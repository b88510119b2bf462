#!/usr/bin/env bash
# Installs what is missing, builds, starts a throw-away PostgreSQL on loopback,
# runs every test on SQLite and on PostgreSQL, and stops the server again.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

install_packages
build_project build RelWithDebInfo

start_throwaway_postgres
trap stop_throwaway_postgres EXIT

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300 "$@"
