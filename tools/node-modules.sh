#!/bin/sh
# Installs the page tests' dependencies from npm into build-node/, which git
# and the build ignore, each pinned to a major version: puppeteer-core 25,
# which drives the installed Chromium and Firefox and downloads no browser
# of its own; webdriver 9, the WebDriver client that drives WebKitGTK;
# pngjs 7, which reads the screenshots; axe-core 4, the accessibility audit
# run inside the page; and Lighthouse 13 with the node 22 it needs, which
# npm's node package brings.
set -eu
cd "$(dirname "$0")/.."
if ! command -v npm > /dev/null; then
    . tools/packages.sh
    tools/setup.sh npm
fi
wanted="puppeteer-core@25 webdriver@9 pngjs@7 axe-core@4 lighthouse@13 node@22"
missing=
for module in $wanted; do
    [ -f "build-node/node_modules/${module%@*}/package.json" ] || missing="$missing $module"
done
[ -z "$missing" ] && exit 0
mkdir -p build-node
# shellcheck disable=SC2086 # the modules are words
npm install --prefix build-node --no-save --no-package-lock --no-audit --no-fund --loglevel=error $wanted
