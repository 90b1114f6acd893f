# Sourced by tools/test.sh and tools/demo.sh: a display and a running wineserver for one build tree.
# start_session BUILD_DIR [private]: "private" always starts a virtual display (the tests send real X input);
# otherwise a display already in DISPLAY is used.
start_session() {
  local build=$1 mode=${2:-}
  export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME="$build/home"
  "$(dirname "${BASH_SOURCE[0]}")/make-prefix.sh" "$build" || return 1
  SESSION_XVFB=
  if [ "$mode" = private ] || [ -z "${DISPLAY:-}" ]; then
    local n=91
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    SESSION_XVFB=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  # Start the wineserver and Wine's own background processes now, away from any caller's output pipe.
  wineserver -p
  wine wineboot </dev/null >/dev/null 2>&1
}

stop_session() {
  wineserver -k 2>/dev/null
  [ -n "${SESSION_XVFB:-}" ] && kill "$SESSION_XVFB" 2>/dev/null
  return 0
}
