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
# window costs a two-second wait. The keys go in with one import: each Wine
# process started costs a good fraction of a second.
configure_wine_prefix() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in marlett tahoma tahomabd; do
    [[ -f "/usr/share/wine/fonts/$font.ttf" ]] && ln -sf "/usr/share/wine/fonts/$font.ttf" "$fonts/$font.ttf"
  done
  local face song="AR PL SungtiL GB" settings="$WINEPREFIX/quillane-settings.reg"
  # The font link is a list of strings (REG_MULTI_SZ): written as UTF-16 bytes, two zeros at the end.
  local link
  link=$(printf 'wqy-zenhei.ttc,WenQuanYi Zen Hei\0\0' | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
         tr -s ' \n' ',,' | sed 's/^,//; s/,$//')
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for face in "SimSun" "宋体" "NSimSun" "新宋体"; do printf '"%s"="%s"\r\n' "$face" "$song"; done
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    printf '"%s"=hex(7):%s\r\n' "$song" "$link"
  } | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$settings"
  wine reg import "$(winepath -w "$settings" 2>/dev/null)" >/dev/null 2>&1
  rm -f "$settings"
}

# Creates the prefix once and applies the settings whenever they have changed:
# the readiness marker is named after the settings' own text.
prefix_marker() {
  echo "$1/.quillane-ready-$(declare -f configure_wine_prefix | sha1sum | cut -c1-12)"
}
make_wine_prefix() {
  mkdir -p "$QUILLANE_BUILD"
  local marker
  marker=$(prefix_marker "$WINEPREFIX")
  if [[ ! -f "$marker" ]]; then
    [[ -d "$WINEPREFIX/drive_c" ]] || wineboot -i >/dev/null 2>&1 || true
    configure_wine_prefix
    timeout 60 wineserver -w || true
    rm -f "$WINEPREFIX"/.quillane-ready-*
    touch "$marker"
  fi
}

# A persistent Wine server, and Wine's background services started now,
# detached from our output: started by a test they would inherit ctest's
# pipes and keep it waiting for ever.
start_wine_services() {
  wineserver -p 2>/dev/null || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

warm_wine_prefix() {
  make_wine_prefix
  start_wine_services
}

# Desktop lanes: scripts/test.sh runs the suites that use the desktop (windows,
# input, the clipboard) on several private displays at once, one suite a lane
# at a time. A Wine prefix has one desktop and one clipboard, so each lane has
# its own Xvfb and its own copy of the prefix; lane 0 is the usual prefix.
lane_prefix() {
  if (($1 == 0)); then echo "$WINEPREFIX"; else echo "$WINEPREFIX-lane$1"; fi
}

# Starts one private display a lane: exports QUILLANE_LANE_DISPLAYS and
# QUILLANE_LANE_XVFB_PIDS (lane 0's display is also DISPLAY).
start_lane_displays() {
  local lane displays=() pids=()
  for ((lane = 0; lane < $1; lane++)); do
    start_private_display || return 1
    displays+=("$DISPLAY")
    pids+=("$QUILLANE_XVFB_PID")
    unset QUILLANE_XVFB_PID
  done
  export QUILLANE_LANE_DISPLAYS="${displays[*]}" QUILLANE_LANE_XVFB_PIDS="${pids[*]}"
  export DISPLAY="${displays[0]}"
}

# Makes every lane's prefix (the others copied from lane 0's, the large
# system folders as hard links: Wine only reads them) and starts its server
# and services on its display, all lanes at once.
warm_lane_prefixes() {
  make_wine_prefix
  local displays=($QUILLANE_LANE_DISPLAYS) lane copy jobs=()
  for ((lane = 1; lane < ${#displays[@]}; lane++)); do
    copy=$(lane_prefix "$lane")
    [[ -f "$(prefix_marker "$copy")" ]] && continue
    rm -rf "$copy"
    mkdir -p "$copy"
    tar -C "$WINEPREFIX" --exclude=./wineserver --exclude=./drive_c/windows/system32 \
        --exclude=./drive_c/windows/winsxs -cf - . | tar -C "$copy" -xf -
    cp -al "$WINEPREFIX/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/winsxs" "$copy/drive_c/windows/"
  done
  for ((lane = 0; lane < ${#displays[@]}; lane++)); do
    (export WINEPREFIX="$(lane_prefix "$lane")" DISPLAY="${displays[lane]}"; start_wine_services) &
    jobs+=($!)
  done
  wait "${jobs[@]}"
}

stop_lane_displays() {
  local displays=(${QUILLANE_LANE_DISPLAYS:-}) pids=(${QUILLANE_LANE_XVFB_PIDS:-}) lane
  for ((lane = 0; lane < ${#displays[@]}; lane++)); do
    WINEPREFIX="$(lane_prefix "$lane")" wineserver -k 2>/dev/null || true
    kill "${pids[lane]}" 2>/dev/null || true
  done
  unset QUILLANE_LANE_DISPLAYS QUILLANE_LANE_XVFB_PIDS
}

# In a suite's test command: the display and the prefix of the lane ctest gave
# it (its `desktop` resource, "id:<lane>,slots:1"), when scripts/test.sh made lanes.
select_desktop_lane() {
  local resource="${CTEST_RESOURCE_GROUP_0_DESKTOP:-}" displays=(${QUILLANE_LANE_DISPLAYS:-})
  [[ -n "$resource" && ${#displays[@]} -gt 0 ]] || return 0
  local lane=${resource#id:}
  lane=${lane%%,*}
  export DISPLAY="${displays[lane]}" WINEPREFIX="$(lane_prefix "$lane")"
}
