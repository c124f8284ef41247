#!/bin/sh
# Starts the program on the offline demonstration field.
#
#   tools/run-demo.sh [BUILD_DIR]      (default: build/ beside this folder)
#
# Builds nothing. Starts bin/catalogue-service on a free port of 127.0.0.1
# with the demonstration extract (bin/demo/extract.txt, copied there by the
# build, and its Gaia-like twin bin/demo/extract-gaia.txt when present),
# runs bin/cinq-etoiles with --service pointing at it (under xvfb-run when
# there is no display; serveur.cfg is left as it is, so a later run without
# the demonstration uses its own service again), and stops the service when
# the program ends. Open bin/demo/demo.pam in the program (menu "Fichier", "Ouvrir un
# projet...") to load the field.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
bin=$build/bin
# An absolute path, so that the messages name files the user can find.
case $bin in /*) ;; *) bin=$PWD/$bin ;; esac

for f in "$bin/catalogue-service" "$bin/cinq-etoiles"; do
    if [ ! -x "$f" ]; then
        echo "Programme introuvable : $f (construire d'abord : cmake --build $build)" >&2
        exit 1
    fi
done
if [ ! -f "$bin/demo/extract.txt" ]; then
    echo "Fichier introuvable : $bin/demo/extract.txt" >&2
    exit 1
fi

work=$(mktemp -d)
service_pid=
stop_service() {
    if [ -n "$service_pid" ]; then
        kill "$service_pid" 2>/dev/null || true
        wait "$service_pid" 2>/dev/null || true
        service_pid=
    fi
    rm -rf "$work"
}
trap stop_service EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

set -- --extract "$bin/demo/extract.txt"
if [ -f "$bin/demo/extract-gaia.txt" ]; then
    set -- "$@" --gaia-extract "$bin/demo/extract-gaia.txt"
fi
"$bin/catalogue-service" "$@" --port 0 \
    --port-file "$work/port" >"$work/stdout" 2>"$work/service.log" &
service_pid=$!

# The port file appears, complete, once the service listens.
tries=0
while [ ! -s "$work/port" ]; do
    if ! kill -0 "$service_pid" 2>/dev/null; then
        echo "Le service de catalogue n'a pas démarré :" >&2
        cat "$work/service.log" >&2
        exit 1
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
        echo "Le service de catalogue ne répond pas." >&2
        exit 1
    fi
    sleep 0.1
done
port=$(tr -d '\r\n' <"$work/port")
service=http://127.0.0.1:$port
echo "Service de catalogue : http://127.0.0.1:$port (journal : $work/service.log)"
echo "Champ de démonstration : menu Fichier > Ouvrir un projet..., puis $bin/demo/demo.pam (ou demo-fits.pam, le même champ en FITS 16 bits)"

status=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # xvfb-run's default screen (1280 pixels) is narrower than the main window.
    xvfb-run -a -s "-screen 0 1600x1200x24" "$bin/cinq-etoiles" --service "$service" || status=$?
else
    "$bin/cinq-etoiles" --service "$service" || status=$?
fi
exit "$status"
