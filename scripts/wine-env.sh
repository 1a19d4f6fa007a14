# Sourced by the scripts that run Windows binaries: a private Wine prefix under
# the build folder and, when no display is usable, a private Xvfb display.
: "${QUILLANE_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
QUILLANE_BUILD=$(mkdir -p "$QUILLANE_BUILD" && cd "$QUILLANE_BUILD" && pwd)
export WINEPREFIX="${WINEPREFIX:-$QUILLANE_BUILD/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

display_works() {
  [[ -n "${DISPLAY:-}" ]] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1
}

# Starts Xvfb on a free display number and exports DISPLAY; the caller stops it
# with stop_private_display. QUILLANE_SCREEN sets the screen (default 1280x800x24).
start_private_display() {
  local fd_file
  fd_file=$(mktemp)
  setsid Xvfb -displayfd 1 -screen 0 "${QUILLANE_SCREEN:-1280x800x24}" -nolisten tcp >"$fd_file" 2>/dev/null </dev/null &
  QUILLANE_XVFB_PID=$!
  for _ in $(seq 100); do
    [[ -s "$fd_file" ]] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  display_works || { echo "Xvfb did not start" >&2; return 1; }
}

stop_private_display() {
  if [[ -n "${QUILLANE_XVFB_PID:-}" ]]; then
    wineserver -k 2>/dev/null || true
    kill "$QUILLANE_XVFB_PID" 2>/dev/null || true
    unset QUILLANE_XVFB_PID
  fi
}

# The prefix's settings. Wine draws the title bar's buttons with Marlett and
# its own dialogs in Tahoma: Debian's copies of Wine's fonts go into the
# prefix's font folder. The Chinese UI font SimSun (宋体) maps to AR PL
# SungtiL GB, a Song face with SimSun's proportions (one em from ascent to
# descent, Latin letters half an em wide) and no embedded bitmaps; characters
# it lacks come from WenQuanYi Zen Hei. Wine manages its own windows: there is
# no window manager on Xvfb, and with managed windows every destroyed active
# window costs a two-second wait.
configure_wine_prefix() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in marlett tahoma tahomabd; do
    [[ -f "/usr/share/wine/fonts/$font.ttf" ]] && ln -sf "/usr/share/wine/fonts/$font.ttf" "$fonts/$font.ttf"
  done
  local key='HKCU\Software\Wine\Fonts\Replacements' face
  for face in "SimSun" "宋体" "NSimSun" "新宋体"; do
    wine reg add "$key" /v "$face" /t REG_SZ /d "AR PL SungtiL GB" /f >/dev/null 2>&1
  done
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "AR PL SungtiL GB" /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f >/dev/null 2>&1
}

# Creates the prefix once and applies the settings whenever they have changed:
# the readiness marker is named after the settings' own text.
warm_wine_prefix() {
  mkdir -p "$QUILLANE_BUILD"
  local marker
  marker="$WINEPREFIX/.quillane-ready-$(declare -f configure_wine_prefix | sha1sum | cut -c1-12)"
  if [[ ! -f "$marker" ]]; then
    [[ -d "$WINEPREFIX/drive_c" ]] || wineboot -i >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
    configure_wine_prefix
    timeout 60 wineserver -w || true
    rm -f "$WINEPREFIX"/.quillane-ready-*
    touch "$marker"
  fi
  wineserver -p 2>/dev/null || true
  # Start Wine's background services now, detached from our output: started by
  # a test they would inherit ctest's pipes and keep it waiting for ever.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
