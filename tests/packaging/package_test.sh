#!/usr/bin/env bash
# Builds the Debian package and the tarball from the install, validates the
# desktop entries, the metainfo and the package, unpacks the package into a
# temporary root and starts the installed command with a temporary HOME: it
# must write its files below that HOME's data folder and nowhere else.
# As root it also installs and removes the package for real.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$build_dir"
cpack -B "$work/packages" > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/packages/quizdeck_*_amd64.deb)
tarball=$(ls "$work"/packages/quizdeck_*_amd64.tar.gz)

desktop-file-validate "$source_dir"/packaging/*.desktop
appstreamcli validate --no-net "$source_dir"/packaging/*.metainfo.xml
# Errors and warnings fail; the informational tags are explained in packaging/lintian.md.
lintian --fail-on error,warning --suppress-tags-from-file "$source_dir/packaging/lintian-suppressed" "$deb" \
  || fail "lintian"

root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/quizdeck usr/lib/quizdeck/quizdeck usr/lib/quizdeck/quizdeck.install usr/lib/quizdeck/ZI_ZE.pdf \
            usr/share/applications/example.palverapress.quizdeck.desktop \
            usr/share/metainfo/example.palverapress.quizdeck.metainfo.xml \
            usr/share/icons/hicolor/48x48/apps/example.palverapress.quizdeck.png \
            usr/share/icons/hicolor/scalable/apps/example.palverapress.quizdeck.svg; do
  [ -e "$root/$file" ] || fail "the package lacks $file"
done
[ ! -e "$root/usr/lib/quizdeck/updates" ] || [ -x "$root/usr/bin/updates" ] || fail "no updates command"
tar -tzf "$tarball" > "$work/tarball.list"
grep -q 'lib/quizdeck/quizdeck$' "$work/tarball.list" || fail "the tarball lacks the program"

# The installed command, started from a folder of its own with a fresh HOME.
home=$work/home
mkdir -p "$home" "$work/elsewhere"
chmod a-w "$root/usr/lib/quizdeck"
before=$(find "$root" | sort)
(cd "$work/elsewhere" && HOME=$home XDG_DATA_HOME= XDG_CONFIG_HOME= QUIZDECK_CONFIG_DIR= QT_QPA_PLATFORM=offscreen \
  timeout 8 "$root/usr/bin/quizdeck" > "$work/run.log" 2>&1) || true
after=$(find "$root" | sort)
[ "$before" = "$after" ] || fail "the program folder was written"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the program wrote into the folder it was started from"
data=$home/.local/share/quizdeck
[ -f "$data/file.wrt" ] || { cat "$work/run.log"; fail "no file.wrt in $data"; }
[ "$(stat -c %a "$data")" = 700 ] || fail "the data folder is not owner-only"
chmod u+w "$root/usr/lib/quizdeck"

# One real install at a time on this machine, and never over one that was there before.
exec 8> /tmp/quizdeck-package-test.lock
flock 8
if [ "$(id -u)" = 0 ] && ! dpkg-query -W quizdeck > /dev/null 2>&1; then
  dpkg -i "$deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; dpkg -r quizdeck > /dev/null 2>&1 || true; fail "dpkg -i"; }
  [ -x /usr/bin/quizdeck ] || fail "installed package has no /usr/bin/quizdeck"
  dpkg -r quizdeck > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r"; }
  [ ! -e /usr/lib/quizdeck ] || fail "removing the package left /usr/lib/quizdeck"
fi
echo "package checks passed"
