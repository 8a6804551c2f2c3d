#!/bin/sh
# Installs the page tests' one dependency from npm, puppeteer-core (major
# version 25, which drives the installed Chromium and Firefox and downloads
# no browser of its own), into build-node/, which git and the build ignore.
set -eu
cd "$(dirname "$0")/.."
if ! command -v npm > /dev/null; then
    . tools/packages.sh
    tools/setup.sh npm
fi
[ -d build-node/node_modules/puppeteer-core ] && exit 0
mkdir -p build-node
npm install --prefix build-node --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
    puppeteer-core@25
