#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs.
#   wine_prefix_use <prefix>
#       exports WINEPREFIX and the rest of the Wine environment every script
#       here runs Wine with; wine_session_stop ends that prefix's wineserver.
#   wine_prefix_prepare <prefix>
#       makes the Wine prefix if it is not there yet and puts Wine's own fonts
#       in it; nothing else (scripts/run.sh uses it for the program's prefix).
#   wine_prefix_unmanaged <prefix>
#       sets the X11 driver up for a display without a window manager (the
#       test prefixes).
#   wine_session_display <X server command...>
#   wine_session_xvfb [WxHxD]
#       starts an X server (or Xvfb of that size, by default 1024x768x24) and
#       exports DISPLAY.
#   wine_session_start <folder> [dpi...]
#       starts an Xvfb display and prepares Wine prefixes of their own under
#       <folder>, with the X11 driver set up for a display without a window
#       manager: <folder>/wineprefix at 96 dpi, Wine's default, and a copy
#       <folder>/wineprefix-dpi<dpi> for each dpi given; exports DISPLAY and
#       WINEPREFIX (the 96-dpi prefix).
#   wine_session_stop
#       stops exactly that display and the wineserver of every prefix used.
#   wine_prefix_copy <template prefix> <prefix>
#       makes <prefix> afresh as a copy of a finished prefix (much faster than
#       another wineboot) and records it for wine_session_stop.
#   wine_desktop_prepare <prefix>
#   wine_desktop_run <program.exe> [args...]
#       runs a program as on Windows, in a Wine desktop of its own with Wine's
#       taskbar, as large as the X screen (scripts/run.sh and the desktop
#       tests launch Kalvenor so), or WINE_DESKTOP_SIZE (WxH) when set: a
#       desktop can be larger than the X screen.
#   wine_prefix_copy_dpi <prefix> <dpi>
#       makes <prefix>-dpi<dpi>, a copy of the prefix with LogPixels <dpi>, if
#       it is not there yet, and records it for wine_session_stop; when it
#       cannot, it says so and fails.
#   wine_program_wait <program.exe>
#       waits, two minutes at most, until no process of the current prefix
#       runs that program.
#   wine_driver_passed <report.xml>
#       whether the end-to-end driver's GoogleTest XML report counts tests and
#       no failure, once the driver has written it.
# The test entries do not make prefixes: scripts/wine-templates.sh makes the
# templates once, and scripts/with-wine.sh gives each entry a copy.

WINE_SESSION_DISPLAY_PID=""
WINE_SESSION_PREFIXES=()
WINE_SESSION_SCREEN=1024x768x24

wine_prefix_use() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko installers: nothing here needs them, and on a real
  # display they would ask to download them. No menu entries or icons on the
  # Linux desktop from a prefix either.
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  WINE_SESSION_PREFIXES+=("$1")
}

# Debian's Wine does not look for its own fonts where the package installs
# them: without a copy in the prefix, "MS Sans Serif" and Tahoma are replaced
# by DejaVu and the caption buttons lose Marlett (the close button shows "r").
WINE_SESSION_FONTS=/usr/share/wine/fonts

wine_prefix_prepare() {
  local prefix=$1
  if ! compgen -G "$WINE_SESSION_FONTS/*.ttf" >/dev/null; then
    echo "No se encuentran las fuentes de Wine en $WINE_SESSION_FONTS (paquete fonts-wine)." >&2
    return 1
  fi
  mkdir -p "$prefix"
  if [ ! -f "$prefix/system.reg" ]; then
    (wine_prefix_use "$prefix" && wineboot --init >/dev/null 2>&1) || true
    # The registry reaches the disk when the prefix's wineserver ends.
    WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
    if [ ! -f "$prefix/system.reg" ]; then
      echo "Wine no pudo crear el prefijo $prefix" >&2
      return 1
    fi
  fi
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp -u "$WINE_SESSION_FONTS"/* "$prefix/drive_c/windows/Fonts/"
}

# Without a window manager Wine waits 2 s for every hidden window unless its
# windows are unmanaged: the test prefixes' X11 driver settings.
wine_prefix_unmanaged() {
  WINEPREFIX="$1" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX="$1" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
}

# Starts an X server (the command given) on a display number it picks itself
# (-displayfd), so that two sessions cannot race for the same one; sets
# DISPLAY once it accepts clients. wine_session_stop stops it.
wine_session_display() {
  local dir fifo n=""
  dir=$(mktemp -d)
  fifo="$dir/display"
  mkfifo "$fifo"
  "$@" -displayfd 3 3>"$fifo" >/dev/null 2>&1 &
  WINE_SESSION_DISPLAY_PID=$!
  # The server writes the display number once it is ready; if it dies first,
  # the read ends at once with nothing.
  read -r -t 30 n <"$fifo" || true
  rm -rf "$dir"
  if [[ ! "$n" =~ ^[0-9]+$ ]]; then
    echo "No arrancó la pantalla ($1)." >&2
    return 1
  fi
  export DISPLAY=":$n"
}

wine_session_xvfb() {
  wine_session_display Xvfb -screen 0 "${1:-$WINE_SESSION_SCREEN}" -nolisten tcp
}

wine_session_start() {
  local folder=$1 dpi
  shift
  mkdir -p "$folder" || return 1
  folder=$(cd "$folder" && pwd)
  wine_prefix_use "$folder/wineprefix"
  wine_session_xvfb || return 1
  wine_prefix_prepare "$WINEPREFIX" || return 1
  wine_prefix_unmanaged "$WINEPREFIX"
  for dpi in "$@"; do
    wine_prefix_copy_dpi "$WINEPREFIX" "$dpi" || return 1
    cp -u "$WINE_SESSION_FONTS"/* "$folder/wineprefix-dpi$dpi/drive_c/windows/Fonts/"
  done
}

# Wine's system folders (some 700 MB of DLLs) are only read by programs: the
# copy links their files to the template's instead of copying them. Anything
# else, the registry and whatever a program may rewrite in place (win.ini),
# is copied.
WINE_SESSION_SHARED=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs)

wine_prefix_copy() {
  local template=$1 prefix=$2
  WINE_SESSION_PREFIXES+=("$prefix")
  if [ ! -f "$template/system.reg" ]; then
    echo "No hay prefijo de Wine en $template (lo hace scripts/wine-templates.sh)." >&2
    return 1
  fi
  mkdir -p "$(dirname "$prefix")"
  if rm -rf "$prefix" "$prefix.new" && wine_prefix_copy_files "$template" "$prefix.new" &&
    mv "$prefix.new" "$prefix"; then
    return 0
  fi
  echo "No se pudo copiar el prefijo $template en $prefix." >&2
  return 1
}

wine_prefix_copy_files() {
  local shared excluded=()
  for shared in "${WINE_SESSION_SHARED[@]}"; do excluded+=(--exclude="./$shared"); done
  mkdir "$2" && tar -C "$1" "${excluded[@]}" -cf - . | tar -C "$2" -xf - || return 1
  for shared in "${WINE_SESSION_SHARED[@]}"; do
    [ -e "$1/$shared" ] || continue
    cp -al "$1/$shared" "$2/$shared" 2>/dev/null || cp -a "$1/$shared" "$2/$shared" || return 1
  done
}

# Every step is checked here, so that a caller under set -e never ends
# without a word.
wine_prefix_copy_dpi() {
  local target="$1-dpi$2"
  # Its wineserver, and that of a copy left half made, end with the session.
  WINE_SESSION_PREFIXES+=("$target")
  [ -f "$target/system.reg" ] && return 0
  WINEPREFIX="$1" wineserver -w >/dev/null 2>&1 || true
  if rm -rf "$target.new" && wine_prefix_copy_files "$1" "$target.new"; then
    WINEPREFIX="$target.new" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f \
      >/dev/null 2>&1 || true
    WINEPREFIX="$target.new" wineserver -w >/dev/null 2>&1 || true
    if grep -q "^\"LogPixels\"=dword:$(printf %08x "$2")\$" "$target.new/user.reg" && mv "$target.new" "$target"; then
      return 0
    fi
  fi
  echo "No se pudo hacer el prefijo $target (una copia de $1 a $2 ppp)." >&2
  return 1
}

wine_session_stop() {
  local prefix
  for prefix in "${WINE_SESSION_PREFIXES[@]}" "${WINE_SESSION_PREFIXES[@]/%/.new}"; do
    if [ -d "$prefix" ]; then
      # -k returns at once; -w waits for the server, and so its programs, to end.
      WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
      WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
    fi
  done
  WINE_SESSION_PREFIXES=()
  if [ -n "$WINE_SESSION_DISPLAY_PID" ]; then
    kill "$WINE_SESSION_DISPLAY_PID" 2>/dev/null || true
    wait "$WINE_SESSION_DISPLAY_PID" 2>/dev/null || true
    WINE_SESSION_DISPLAY_PID=""
  fi
}

# On a display with a window manager, Wine's own windows are placed, sized and
# focused by it in ways Windows never does: moved to the top of the screen
# before their first show, resized in two steps, or left without the keyboard.
# In a Wine desktop the window manager handles one window, the desktop, and
# Wine places, stacks and focuses the program's windows itself, over a taskbar
# with a real rectangle. A desktop as large as the X screen is shown full
# screen, over any panels, so none of it is cut off; it closes when the last
# program in it ends.
WINE_DESKTOP_NAME=Kalvenor

wine_desktop_prepare() {
  WINEPREFIX="$1" wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$WINE_DESKTOP_NAME" \
    /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
}

wine_desktop_run() {
  local size=${WINE_DESKTOP_SIZE:-}
  [ -n "$size" ] ||
    size=$(xdpyinfo 2>/dev/null | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p' | head -n 1)
  if [ -z "$size" ]; then
    echo "No se pudo leer el tamaño de la pantalla $DISPLAY (xdpyinfo, paquete x11-utils)." >&2
    return 1
  fi
  wine explorer "/desktop=$WINE_DESKTOP_NAME,$size" "$@"
}

wine_program_wait() {
  local name=${1##*/} pid running until=$((SECONDS + 120))
  while [ $SECONDS -lt $until ]; do
    running=""
    for pid in $(pgrep -f -- "$name"); do
      # Wine's own processes only: not a script with the program in its arguments.
      [[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" == */wine* ]] || continue
      tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
      running=$pid
      break
    done
    [ -n "$running" ] || return 0
    sleep 0.1
  done
  return 1
}

wine_driver_passed() {
  local report=$1 head tests failures errors
  # A Wine desktop closes with its last window, which can be before the
  # driver has finished its report.
  for _ in $(seq 1 300); do
    grep -qs '</testsuites>' "$report" && break
    sleep 0.1
  done
  head=$(grep -so '<testsuites [^>]*>' "$report") || return 1
  tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
  failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
  errors=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
  [ "${tests:-0}" -gt 0 ] && [ "$failures" = 0 ] && [ "$errors" = 0 ]
}
