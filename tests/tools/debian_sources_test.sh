# The mirror and the source list that the builds take from a machine's apt
# sources, for the forms apt reads: one-line entries with and without
# options, deb822 stanzas, entries turned off, other releases and -updates.
# Arguments: DEBIAN_SOURCES (tools/debian-sources.sh)
set -u
tool=$1
etc=$(mktemp -d /tmp/vorlix-apt-XXXXXX)
trap 'rm -rf "$etc"' EXIT
printf 'VERSION_CODENAME=bookworm\n' > "$etc/os-release"
export VORLIX_APT_ETC=$etc VORLIX_OS_RELEASE=$etc/os-release
failed=0

# CASE NAME, then the files as NAME=CONTENT, then the expected mirror and list.
expect() {
    local name=$1 mirror=$2 list=$3
    shift 3
    rm -rf "$etc/sources.list" "$etc/sources.list.d"
    mkdir -p "$etc/sources.list.d"
    for file in "$@"; do printf '%b' "${file#*=}" > "$etc/${file%%=*}"; done
    got_mirror=$("$tool" mirror 2>&1)
    got_list=$("$tool" deb-src 2>&1)
    if [ "$got_mirror" != "$mirror" ] || [ "$got_list" != "$list" ]; then
        echo "FAIL $name: mirror \"$got_mirror\", list \"$got_list\""
        failed=1
    fi
}

expect "one-line, with options" http://ftp.example/debian \
    "deb-src [signed-by=/k.gpg] http://ftp.example/debian/ bookworm main" \
    "sources.list=# a comment\ndeb http://security.example/debian-security bookworm-security main\ndeb [arch=amd64 signed-by=/k.gpg] http://ftp.example/debian/ bookworm main contrib\ndeb-src http://src.example/debian bookworm main\n"
expect "deb822, one stanza off" http://deb.example/debian \
    "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.example/debian bookworm main" \
    "sources.list.d/debian.sources=Types: deb\nURIs: http://off.example/debian\nSuites: bookworm\nComponents: main\nEnabled: no\n\nTypes: deb deb-src\nURIs: http://deb.example/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n"
expect "no entry for this release" "tools/debian-sources.sh: no apt source carries bookworm" \
    "tools/debian-sources.sh: no apt source carries bookworm" \
    "sources.list=deb http://ftp.example/debian trixie main\n"
[ "$failed" = 0 ] && echo "the mirror and the source list are taken from every form of apt's sources"
exit $failed
