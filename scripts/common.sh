# Shared steps of run.sh and test.sh. Sourced, not run.

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
          libsqlite3-dev libpq-dev libicu-dev postgresql fonts-wqy-microhei poppler-utils
          tango-icon-theme qt6-translations-l10n libxlsxwriter-dev unzip
          pkg-config libofx-dev qt6-base-private-dev libcsv-dev libexpat1-dev)

# apt-get only when something is missing, so a second run starts at once.
install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# build_project <folder> <build type> [cmake options...]
build_project() {
  local dir=$1 type=$2
  shift 2
  local launcher=()
  # A compiler cache speeds up rebuilds in several checkouts; the build does not need one.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache) && export CCACHE_BASEDIR=$PWD
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

# Starts a PostgreSQL cluster in a temporary folder on 127.0.0.1 and a free port,
# creates the database corvane_test and exports PGHOST/PGPORT/PGUSER/PGDATABASE.
start_throwaway_postgres() {
  PG_BIN=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
  PG_TMP=$(mktemp -d)
  chown postgres:postgres "$PG_TMP"
  local as_postgres=(runuser -u postgres --)
  [ "$(id -u)" -eq 0 ] || as_postgres=()
  "${as_postgres[@]}" "$PG_BIN/initdb" -D "$PG_TMP/data" -U postgres -A trust -E UTF8 \
    --locale=C.UTF-8 --no-sync >/dev/null
  local port started=""
  for _ in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 30000))
    if "${as_postgres[@]}" "$PG_BIN/pg_ctl" -D "$PG_TMP/data" -l "$PG_TMP/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $PG_TMP -c fsync=off -c max_connections=200" \
        start >/dev/null; then
      started=1
      break
    fi
  done
  [ -n "$started" ] || { cat "$PG_TMP/server.log"; echo "PostgreSQL did not start"; return 1; }
  export PGHOST=127.0.0.1 PGPORT=$port PGUSER=postgres PGDATABASE=corvane_test
  "$PG_BIN/createdb" "$PGDATABASE"
  echo "PostgreSQL for the tests on 127.0.0.1:$PGPORT"
}

stop_throwaway_postgres() {
  [ -n "${PG_TMP:-}" ] || return 0
  local as_postgres=(runuser -u postgres --)
  [ "$(id -u)" -eq 0 ] || as_postgres=()
  "${as_postgres[@]}" "$PG_BIN/pg_ctl" -D "$PG_TMP/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$PG_TMP"
}
