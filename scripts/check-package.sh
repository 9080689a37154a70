#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a Debian package made by scripts/package.sh: lists its contents,
# requires every file a user needs, validates the desktop entry and the
# AppStream metadata (offline), runs lintian (no errors allowed), runs
# both programs' --version from the unpacked package, and checks that
# parvelin-cli loads no Qt and prints through its printing tool.
# Usage: scripts/check-package.sh PACKAGE.deb
set -euo pipefail
deb=$1
version=$(dpkg-deb -f "$deb" Version)
echo "== $deb ($version) =="
dpkg-deb -c "$deb"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/parvelin ./usr/bin/parvelin-cli ./usr/libexec/parvelin/parvelin-cli-pdf \
         ./usr/share/applications/parvelin.desktop \
         ./usr/share/icons/hicolor/scalable/apps/parvelin.svg \
         ./usr/share/mime/packages/parvelin-airfoil.xml \
         ./usr/share/metainfo/io.github.parvelin.Parvelin.metainfo.xml \
         ./usr/share/doc/parvelin/manual/index.html \
         ./usr/share/doc/parvelin/manual/getting-started.html \
         ./usr/share/doc/parvelin/copyright \
         ./usr/share/man/man1/parvelin-cli.1.gz \
         ./usr/share/parvelin/samples/wing-panel.parvelin \
         ./usr/share/parvelin/samples/single-rib.parvelin; do
  grep -qxF "$f" <<<"$contents" || { echo "missing from the package: $f"; exit 1; }
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/parvelin.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.parvelin.Parvelin.metainfo.xml"
man -l "$root/usr/share/man/man1/parvelin-cli.1.gz" >/dev/null
# lintian: errors fail the check; warnings are shown.
lintian_out=$(lintian --tag-display-limit 0 "$deb" || true)
[ -n "$lintian_out" ] && echo "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then echo "lintian reports errors"; exit 1; fi
# The programs answer from the package with the package's version.
[ "$("$root/usr/bin/parvelin-cli" --version)" = "parvelin-cli $version" ]
[ "$("$root/usr/bin/parvelin" --version)" = "parvelin $version" ]
# parvelin-cli loads no Qt; it prints through its printing tool in libexec.
if ldd "$root/usr/bin/parvelin-cli" | grep -q libQt; then echo "parvelin-cli links Qt"; exit 1; fi
QT_QPA_PLATFORM=offscreen "$root/usr/bin/parvelin-cli" print naca:2412 "$root/naca.pdf"
[ "$(head -c 5 "$root/naca.pdf")" = "%PDF-" ]
echo "Package check passed."
