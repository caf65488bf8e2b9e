# Sourced: for a test run, keeps a wineserver running for the private
# prefix of a build tree and a virtual display (Xvfb) for the programs that
# show windows; both are stopped on exit.
wine_session_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix" WINEARCH=win32 WINEDEBUG=-all

  # A free display number, then Xvfb on it, before any Wine process starts.
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb_pid 2>/dev/null || true' EXIT

  "$build/wine-run" cmd /c exit 0 >/dev/null 2>&1 || true   # creates the prefix once
  # No window manager: Wine draws the captions itself and does not wait for one.
  "$build/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  "$build/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -p >/dev/null 2>&1 </dev/null &   # stays in the foreground when a server already runs
}
