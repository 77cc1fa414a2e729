#!/usr/bin/env bash
# Builds the .deb of a built tree with CPack (no compile: the build is already done), then checks
# it as Debian would: lintian on the package, desktop-file-validate on its desktop entry and
# appstreamcli on its metadata. Fails when the package cannot be made or a check reports an error.
set -uo pipefail
BUILD=${1:-build}
(cd "$BUILD" && cpack -G DEB) || { echo "package: cpack failed"; exit 1; }
deb=$(ls -t "$BUILD"/plonko-elongo_*.deb | head -n 1)
echo "== $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --field "$deb" Package Version Installed-Size Depends

status=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
echo "== lintian"
lintian --fail-on error "$deb" || status=1
echo "== desktop-file-validate"
desktop-file-validate "$scratch"/usr/share/applications/*.desktop || status=1
echo "== appstreamcli validate"
appstreamcli validate --no-net "$scratch"/usr/share/metainfo/*.metainfo.xml || status=1
exit $status
