#!/bin/sh
# Reads the machine's own apt sources (one-line .list files and deb822
# .sources files alike) and prints what the builds need from them, so that
# they work wherever apt works, with the mirror and keys this machine uses:
#   tools/debian-sources.sh mirror    the archive that carries this release
#   tools/debian-sources.sh deb-src   a sources list for its source packages
# Only the entries for this release itself (not -updates or -security) are
# taken. The machine's configuration is only read.
set -eu
what=${1:-}
etc=${VORLIX_APT_ETC:-/etc/apt}
release=$(. "${VORLIX_OS_RELEASE:-/etc/os-release}" && echo "${VERSION_CODENAME:-}")
[ -n "$release" ] || { echo "tools/debian-sources.sh: this system names no release codename" >&2; exit 1; }

# Every source of binary packages, as lines "URI SUITE SIGNED_BY".
entries() {
    for f in "$etc/sources.list" "$etc"/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        # deb [options] URI SUITE COMPONENT...
        awk '$1 == "deb" {
            signed = "-"; i = 2
            if ($2 ~ /^\[/) {
                for (; i <= NF; i++) {
                    if ($i ~ /^\[?signed-by=/) { signed = $i; sub(/^\[?signed-by=/, "", signed); sub(/\]$/, "", signed) }
                    if ($i ~ /\]$/) { i++; break }
                }
            }
            print $i, $(i + 1), signed
        }' "$f"
    done
    for f in "$etc"/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        # Stanzas of "Field: value" lines; a line that starts with a space
        # continues the field before it (an inline key, for one).
        awk 'function flush() {
                 if (types ~ /(^| )deb( |$)/ && enabled != "no")
                     for (u = 1; u <= nu; u++) for (s = 1; s <= ns; s++) print uris[u], suites[s], (signed == "" ? "-" : signed)
                 types = ""; enabled = ""; signed = ""; nu = 0; ns = 0
             }
             /^[ \t]*$/ { flush(); next }
             /^#/ { next }
             /^[ \t]/ { next }
             { field = tolower($1); sub(/:$/, "", field); value = $0; sub(/^[^:]*:[ \t]*/, "", value) }
             field == "types" { types = value }
             field == "enabled" { enabled = tolower(value) }
             field == "uris" { nu = split(value, uris, /[ \t]+/) }
             field == "suites" { ns = split(value, suites, /[ \t]+/) }
             field == "signed-by" { signed = (value ~ /^\// ? value : "") }
             END { flush() }' "$f"
    done
}

case $what in
mirror)
    uri=$(entries | awk -v r="$release" '$2 == r { print $1; exit }')
    [ -n "$uri" ] || { echo "tools/debian-sources.sh: no apt source carries $release" >&2; exit 1; }
    echo "${uri%/}" ;;
deb-src)
    list=$(entries | awk -v r="$release" '$2 == r && !seen[$1]++ {
        print "deb-src " ($3 == "-" ? "" : "[signed-by=" $3 "] ") $1 " " r " main" }')
    [ -n "$list" ] || { echo "tools/debian-sources.sh: no apt source carries $release" >&2; exit 1; }
    echo "$list" ;;
*)
    echo "usage: tools/debian-sources.sh mirror | deb-src" >&2
    exit 2 ;;
esac
