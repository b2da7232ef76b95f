#!/bin/bash
# Sourced by the test and run scripts: one Wine prefix per build folder, made
# once, and one long-lived wineserver for the whole session.
#   WINE_SESSION_PREFIX   folder of the prefix (required)

export WINEPREFIX="$WINE_SESSION_PREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
_here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# Bump when the prefix needs something new; an older prefix is made again.
_prefix_version=2

wine_session_prefix() {
  if [ -f "$WINEPREFIX/.orvia-prefix" ] && [ "$(cat "$WINEPREFIX/.orvia-prefix")" = "$_prefix_version" ]; then
    return 0
  fi
  echo "making the Wine prefix $WINEPREFIX (once)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko installer dialogs: neither package exists here.
  WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
  # Without a window manager Wine waits ~2 s at exit of every program that
  # showed a window, unless its windows are unmanaged.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A face registered as 宋体/SimSun, for the tests that look at the real
  # frame font.  Made from a free font at test time, never committed.
  /usr/bin/python3 "$_here/../tools/make_songti_font.py" "$WINEPREFIX/drive_c/windows/Fonts/orvia-simsun.ttf"
  "$WINESERVER" -w
  echo "$_prefix_version" > "$WINEPREFIX/.orvia-prefix"
}

wine_session_start() {
  wine_session_prefix
  "$WINESERVER" -p
  "$WINE" cmd /c exit >/dev/null 2>&1 || true
}

wine_session_stop() {
  "$WINESERVER" -k 2>/dev/null || true
}
