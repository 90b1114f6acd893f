# Sourced by tools/test.sh and tools/demo.sh: a display and a running wineserver for one build tree.
# start_session BUILD_DIR [private]: "private" always starts a virtual display (the tests send real X input);
# otherwise a display already in DISPLAY is used.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

start_session() {
  local build=$1 mode=${2:-}
  wine_env "$build"
  "$(dirname "${BASH_SOURCE[0]}")/make-prefix.sh" "$build" || return 1
  SESSION_XVFB=
  if [ "$mode" = private ] || [ -z "${DISPLAY:-}" ]; then
    # The server picks a free display number itself, so runs started together never share one.
    local numberFile i
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    SESSION_XVFB=$!
    for i in $(seq 100); do [ -s "$numberFile" ] && break; sleep 0.1; done
    local number
    number=$(head -n 1 "$numberFile")
    rm -f "$numberFile"
    [ -n "$number" ] || { echo "no virtual display could be started" >&2; return 1; }
    export DISPLAY=":$number"
  fi
  # Start the wineserver and Wine's own background processes now, away from any caller's output pipe.
  wineserver -p
  "$WINEBOOT_LOADER" wineboot </dev/null >/dev/null 2>&1
}

stop_session() {
  wineserver -k 2>/dev/null
  [ -n "${SESSION_XVFB:-}" ] && kill "$SESSION_XVFB" 2>/dev/null
  SESSION_XVFB=
  return 0
}
