# shellcheck shell=bash
# Sourced by test-port and smoke: a Wine of its own for one run (nothing left behind, nothing
# taken from an earlier run), started headless, with Windows paths for Linux ones.

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/callcfg-wine.XXXXXX)
export WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" # no Mono or Gecko installers, no Linux menu entries
export PATH=/usr/lib/wine:$PATH

wine_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
}

# Z:\path\to\file for /path/to/file.
windows_path() { local p; p=$(readlink -f "$1"); printf 'Z:%s' "${p//\//\\}"; }

# One wineserver for the whole run, started apart from the programs' output: when the far end
# of a pty closes, the server reports it at length on its own error output.
wine_start() {
    wineserver -p </dev/null >/dev/null 2>&1
    wine64 wineboot -i </dev/null >/dev/null 2>&1
}
