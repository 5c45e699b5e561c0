# What the benchmarks share: the 64-bit build (the one this machine executes), a fresh Wine
# prefix of their own under build/, one Xvfb and one wineserver, all stopped at the end.
# Sourced by scripts/bench-*.

source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"

# Builds the win64 programs and runs the given command inside a fresh benchmark prefix; the
# command sees WINELOADER, WINEPREFIX, DISPLAY and BENCH_DRIVE_C (the prefix's C: folder).
# $1 = name of the benchmark, then the command.
bench_in_wine() {
  local name=$1
  shift
  QUINTAREL_CONFIGS=win64 "$QUINTAREL_ROOT/scripts/build" >/dev/null
  local run_dir=$QUINTAREL_BUILD/bench-$name
  rm -rf "$run_dir"
  mkdir -p "$run_dir"
  local status=0
  (
    trap wine_run_stop EXIT
    wine_start_xvfb
    wine_export_env win64 "$run_dir/prefix"
    wine_fresh_prefix win64 "$run_dir/prefix"
    wine_start_server
    export BENCH_DRIVE_C=$run_dir/prefix/drive_c
    "$@"
  ) || status=$?
  rm -rf "$run_dir"
  return $status
}

# Copies programs into C:\bench of the benchmark prefix.
bench_copy() {
  mkdir -p "$BENCH_DRIVE_C/bench"
  cp "$@" "$BENCH_DRIVE_C/bench/"
}

# Runs a benchmark program of the build that measures the launcher against the tray floor, the
# two given as its first arguments from C:\bench. $1 = the benchmark program's name, then its
# other arguments.
bench_against_floor() {
  local program=$1
  shift
  bench_copy "$QUINTAREL_ROOT/dist/win64/quintarel.exe" "$QUINTAREL_BUILD/win64/tray_floor.exe"
  "$WINELOADER" "$QUINTAREL_BUILD/win64/$program.exe" 'C:\bench\quintarel.exe' \
    'C:\bench\tray_floor.exe' "$@"
}
