#!/usr/bin/env bash
# Makes the Wine prefixes the test entries start from, once, in a folder
# (ctest's setup fixture kalvenor_wine_plantillas runs it):
#   scripts/wine-templates.sh <folder>
#   base                       Wine's own fonts and nothing else
#   pruebas                    the X11 driver set up for a display without a
#                              window manager: the test entries' prefix
#   pruebas-dpi120, -dpi144    the same at 120 and 144 dpi
#   escritorio                 as scripts/run.sh makes the program's prefix,
#                              with Wine's desktop and its taskbar (the
#                              desktop test)
#   escritorio-dpi120, -dpi144, -dpi192
# A template already there is kept. scripts/with-wine.sh --plantilla gives an
# entry a copy of its own, so the whole run boots Wine's prefix once.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"
mkdir -p "$1"
folder=$(cd "$1" && pwd)
trap wine_session_stop EXIT

# Wine's first start in a prefix opens a window: a display of this script's own.
wine_session_xvfb

# Each template is made under <name>.new and takes its name once finished, so
# that a run stopped half way leaves none half made.
make_template() {
  local name=$1 setup=$2 target="$folder/$1"
  [ -f "$target/system.reg" ] && return 0
  wine_prefix_use "$target.new"
  wine_prefix_copy "$folder/base" "$target.new"
  "$setup" "$target.new"
  # The registry reaches the disk when the prefix's wineserver ends.
  WINEPREFIX="$target.new" wineserver -w
  rm -rf "$target"
  mv "$target.new" "$target"
}

if [ ! -f "$folder/base/system.reg" ]; then
  wine_prefix_use "$folder/base.new"
  rm -rf "$folder/base.new"
  wine_prefix_prepare "$folder/base.new"
  mv "$folder/base.new" "$folder/base"
fi
# The background jobs' prefixes, for wine_session_stop (their .new too).
WINE_SESSION_PREFIXES+=("$folder/pruebas" "$folder/escritorio")
for dpi in 120 144 192; do WINE_SESSION_PREFIXES+=("$folder/pruebas-dpi$dpi" "$folder/escritorio-dpi$dpi"); done
status=0
pids=()
wait_all() {
  local pid
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  pids=()
}
make_template pruebas wine_prefix_unmanaged & pids+=($!)
make_template escritorio wine_desktop_prepare & pids+=($!)
wait_all
[ "$status" = 0 ] || exit 1
for dpi in 120 144; do wine_prefix_copy_dpi "$folder/pruebas" "$dpi" & pids+=($!); done
for dpi in 120 144 192; do wine_prefix_copy_dpi "$folder/escritorio" "$dpi" & pids+=($!); done
wait_all
exit "$status"
