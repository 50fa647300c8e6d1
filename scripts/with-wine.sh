#!/usr/bin/env bash
# Runs a command with an Xvfb display and a Wine prefix of its own, then stops
# both, and every wineserver of that prefix:
#   scripts/with-wine.sh [--plantilla <prefix>] [--pantalla WxHxD] <folder> <command> [args...]
# The prefix is <folder>/wineprefix: a fresh copy of the template prefix
# given (scripts/wine-templates.sh makes the test entries' templates), or
# without one, a prefix made there on the first run (wine_session_start).
# DISPLAY and WINEPREFIX reach the command.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"
template=""
screen=$WINE_SESSION_SCREEN
while [ $# -gt 0 ]; do
  case $1 in
    --plantilla) template=$2; shift 2 ;;
    --pantalla) screen=$2; shift 2 ;;
    *) break ;;
  esac
done
folder=$1
shift
trap wine_session_stop EXIT
if [ -n "$template" ]; then
  mkdir -p "$folder"
  folder=$(cd "$folder" && pwd)
  wine_prefix_use "$folder/wineprefix"
  wine_prefix_copy "$template" "$WINEPREFIX"
  wine_session_xvfb "$screen"
else
  WINE_SESSION_SCREEN=$screen wine_session_start "$folder"
fi
"$@"
