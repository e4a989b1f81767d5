#!/bin/bash
# Sourced by the run and test scripts: a Wine environment for the Windows program.
#   wine_session_start [need_display]  sets WINEPREFIX, LC_ALL, DISPLAY (a private Xvfb
#                                      of 1366 x 768 when there is none, or always with
#                                      need_display=xvfb) and starts a persistent wineserver
#   wine_session_stop                  ends both
# The prefix is prepared once (.cache/wineprefix) and copied for each session.

wine_session_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
wine_session_xvfb_pid=""

wine_session_prepare_prefix() {
  local template="$wine_session_root/.cache/wineprefix"
  if [[ ! -f "$template/.tolvar-ready" ]]; then
    rm -rf "$template"
    mkdir -p "$template"
    WINEPREFIX="$template" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
      wineboot -i >/dev/null 2>&1
    # No window manager runs under Xvfb: without this Wine waits 2 s whenever a captioned
    # window hides.
    WINEPREFIX="$template" WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' \
      /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
    touch "$template/.tolvar-ready"
  fi
  echo "$template"
}

wine_session_start() {
  local want="${1:-}"
  export LC_ALL=zh_CN.UTF-8
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  local template
  template="$(wine_session_prepare_prefix)"
  export WINEPREFIX="$wine_session_root/.cache/wineprefix-session-$$"
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX"
  if [[ -z "${DISPLAY:-}" || "$want" == xvfb ]]; then
    local n=91
    while [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]]; do n=$((n + 1)); done
    # -wr: a white desktop, so screenshots show where the black bar is.
    Xvfb ":$n" -screen 0 1366x768x24 -wr -nolisten tcp >/dev/null 2>&1 &
    wine_session_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
  wineserver -p
  # The first program of a server's life starts Wine's helpers: keep its output off pipes.
  wine cmd /c exit >/dev/null 2>&1 || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [[ -n "$wine_session_xvfb_pid" ]]; then
    kill "$wine_session_xvfb_pid" 2>/dev/null || true
    wait "$wine_session_xvfb_pid" 2>/dev/null || true
  fi
  [[ -n "${WINEPREFIX:-}" && "$WINEPREFIX" == *wineprefix-session-* ]] && rm -rf "$WINEPREFIX"
}
