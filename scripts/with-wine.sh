#!/usr/bin/env bash
# Runs a command with an Xvfb display and a Wine prefix of its own, then stops
# both:  scripts/with-wine.sh <folder for the prefix> <command> [args...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-session.sh
source "$here/wine-session.sh"
folder=$1
shift
trap wine_session_stop EXIT
wine_session_start "$folder"
"$@"
