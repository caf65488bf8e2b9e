# Sourced: keeps a wineserver running for the private prefix of a build tree
# while a test run lasts, and stops it (and any Xvfb started) on exit.
wine_session_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix" WINEARCH=win32 WINEDEBUG=-all
  "$build/wine-run" cmd /c exit 0 >/dev/null 2>&1 || true   # creates the prefix once
  wineserver -p >/dev/null 2>&1 </dev/null &   # stays in the foreground when a server already runs
  wineserver_waiter=$!
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
}
