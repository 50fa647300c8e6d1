#!/usr/bin/env bash
# Sourced by scripts/run.sh on a machine without a display, after
# wine-session.sh: Kalvenor served to a web browser.
#   browser_session_start
#       a display of its own that is also a VNC server (TigerVNC's Xvnc), and
#       noVNC's web client served by websockify; exports DISPLAY.
#   browser_session_stop
#       stops everything started here and every Wine prefix used
#       (wine_session_stop): the caller's EXIT trap calls it.
#   browser_session_run <program.exe> [args...]
#       runs the program as on a display (wine_desktop_run), prints the
#       address to open once the page answers, and waits for the program.
#       With KALVENOR_ARCHIVO_SESION set, it first writes to that file, for
#       programs, the lines direccion=<address> and pantalla=<display>.
# Variables: WINE_DESKTOP_SIZE (WxH, 1366x768), KALVENOR_DIRECCION (the
# address to listen on, 127.0.0.1) and KALVENOR_PUERTO (6080; the next free
# one if it is taken).
# The VNC server listens on a Unix socket only, readable by this user, and
# asks for a password made afresh for each run; only websockify listens on
# TCP, on 127.0.0.1 unless told otherwise.

BROWSER_SESSION_DIR=""
BROWSER_SESSION_WEB_PID=""
BROWSER_SESSION_PROGRAM_PID=""
BROWSER_SESSION_PORT=""
BROWSER_SESSION_ADDRESS=""

browser_session_stop() {
  wine_session_stop
  local pid
  for pid in "$BROWSER_SESSION_PROGRAM_PID" "$BROWSER_SESSION_WEB_PID"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  BROWSER_SESSION_PROGRAM_PID=""
  BROWSER_SESSION_WEB_PID=""
  [ -z "$BROWSER_SESSION_DIR" ] || rm -rf "$BROWSER_SESSION_DIR"
  BROWSER_SESSION_DIR=""
}

# Whether something accepts connections on the address and port.
browser_session_taken() (
  exec 3<>"/dev/tcp/$1/$2"
) 2>/dev/null

# Whether the page is served there: GET /vnc.html answers "HTTP/1.x 200".
browser_session_page_answers() (
  exec 3<>"/dev/tcp/$1/$2" || exit 1
  printf 'GET /vnc.html HTTP/1.0\r\n\r\n' >&3
  read -r -t 5 _ status _ <&3 && [ "$status" = 200 ]
) 2>/dev/null

browser_session_start() {
  local size=${WINE_DESKTOP_SIZE:-1366x768} address=${KALVENOR_DIRECCION:-127.0.0.1}
  local first=${KALVENOR_PUERTO:-6080} port probe password
  if [[ ! "$size" =~ ^[0-9]+x[0-9]+$ ]] || [[ ! "$first" =~ ^[0-9]+$ ]]; then
    echo "WINE_DESKTOP_SIZE ha de ser ANCHOxALTO (p. ej. 1366x768) y KALVENOR_PUERTO un número." >&2
    return 1
  fi
  BROWSER_SESSION_DIR=$(mktemp -d)
  password=$(head -c 6 /dev/urandom | base64 | tr '+/' '-_')
  printf '%s\n' "$password" | vncpasswd -f >"$BROWSER_SESSION_DIR/passwd"
  echo "Arrancando una pantalla virtual de $size para el navegador..."
  wine_session_display Xvnc -geometry "$size" -depth 24 -desktop Kalvenor -nolisten tcp \
    -rfbport -1 -rfbunixpath "$BROWSER_SESSION_DIR/vnc" \
    -SecurityTypes VncAuth -PasswordFile "$BROWSER_SESSION_DIR/passwd" || return 1
  echo "Pantalla virtual $DISPLAY lista."

  # Listening on every address, the checks go to this machine's loopback.
  probe=$address
  [[ "$address" != 0.0.0.0 && "$address" != "::" ]] || probe=127.0.0.1
  for ((port = first; port < first + 20; port++)); do
    ! browser_session_taken "$probe" "$port" || continue
    websockify --web /usr/share/novnc --unix-target="$BROWSER_SESSION_DIR/vnc" "$address:$port" \
      >"$BROWSER_SESSION_DIR/websockify.log" 2>&1 &
    BROWSER_SESSION_WEB_PID=$!
    for _ in $(seq 1 100); do
      kill -0 "$BROWSER_SESSION_WEB_PID" 2>/dev/null || break
      if browser_session_page_answers "$probe" "$port"; then
        BROWSER_SESSION_PORT=$port
        BROWSER_SESSION_ADDRESS="http://$address:$port/vnc.html?autoconnect=1&resize=scale&password=$password"
        return 0
      fi
      sleep 0.1
    done
    kill "$BROWSER_SESSION_WEB_PID" 2>/dev/null || true
    wait "$BROWSER_SESSION_WEB_PID" 2>/dev/null || true
    BROWSER_SESSION_WEB_PID=""
  done
  echo "No se pudo servir la página en $address en ningún puerto de $first a $((first + 19))." >&2
  tail -n 3 "$BROWSER_SESSION_DIR/websockify.log" >&2 2>/dev/null || true
  return 1
}

browser_session_run() {
  wine_desktop_run "$@" &
  BROWSER_SESSION_PROGRAM_PID=$!
  if [ -n "${KALVENOR_ARCHIVO_SESION:-}" ]; then
    # Whole or not at all: whoever waits for the file never reads half of it.
    printf 'direccion=%s\npantalla=%s\n' "$BROWSER_SESSION_ADDRESS" "$DISPLAY" >"$KALVENOR_ARCHIVO_SESION.new"
    mv "$KALVENOR_ARCHIVO_SESION.new" "$KALVENOR_ARCHIVO_SESION"
  fi
  echo "Kalvenor está en el navegador. Abra: $BROWSER_SESSION_ADDRESS"
  echo "Desde otro ordenador: ssh -L $BROWSER_SESSION_PORT:localhost:$BROWSER_SESSION_PORT <servidor>, y la misma dirección allí."
  echo "Para terminar: Salir en Kalvenor, o Ctrl+C aquí."
  local status=0
  wait "$BROWSER_SESSION_PROGRAM_PID" || status=$?
  BROWSER_SESSION_PROGRAM_PID=""
  return "$status"
}
