#!/bin/sh
# Sets up, builds and serves the browser version of the game on this machine,
# at http://127.0.0.1:8000/ (or the port in PORT), until Ctrl+C.
set -eu
cd "$(dirname "$0")/.."
. tools/packages.sh
tools/setup.sh $build_packages $web_packages
tools/build-web.sh
port=${PORT:-8000}
echo "Vorlix is at http://127.0.0.1:$port/ - open it in a browser; Ctrl+C stops the server."
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
