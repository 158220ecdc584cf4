#!/usr/bin/env bash
# Builds the Debian package and the tarball from the install, validates the
# desktop entries, the metainfo and the package, and checks two installs into
# temporary roots: the unpacked package and `cmake --install --prefix` of the
# build tree. Each installed command starts with a temporary HOME and must
# write its files below that HOME's data folder and nowhere else: the install
# starts offscreen for a few seconds, and on the package a student takes a
# short quiz under a real X server, typed with xdotool, which must leave the
# results file and the history report in the data folder.
# As root it also installs and removes the package for real.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
work=$(mktemp -d)
program_pid=
xvfb_pid=
cleanup() {
  # The program runs in a session of its own, so its web engine helpers end with it.
  [ -z "$program_pid" ] || kill -- "-$program_pid" 2> /dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2> /dev/null || true
  chmod -R u+w "$work" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

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
tar -tzf "$tarball" > "$work/tarball.list"
grep -q 'lib/quizdeck/quizdeck$' "$work/tarball.list" || fail "the tarball lacks the program"

# What every install holds below its prefix; the command on the path leads
# into the program folder of the same install.
check_layout() {
  local prefix=$1 what=$2 file
  for file in bin/quizdeck lib/quizdeck/quizdeck lib/quizdeck/quizdeck.install lib/quizdeck/ZI_ZE.pdf \
              share/applications/example.palverapress.quizdeck.desktop \
              share/metainfo/example.palverapress.quizdeck.metainfo.xml \
              share/icons/hicolor/48x48/apps/example.palverapress.quizdeck.png \
              share/icons/hicolor/scalable/apps/example.palverapress.quizdeck.svg; do
    [ -e "$prefix/$file" ] || fail "$what lacks $file"
  done
  [ "$(realpath "$prefix/bin/quizdeck")" = "$(realpath "$prefix/lib/quizdeck/quizdeck")" ] \
    || fail "$what: bin/quizdeck does not lead to its own program folder"
  [ ! -e "$prefix/lib/quizdeck/updates" ] || [ -x "$prefix/bin/updates" ] || fail "$what has no updates command"
}

root=$work/root
dpkg-deb -x "$deb" "$root"
check_layout "$root/usr" "the package"
prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" > "$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; }
check_layout "$prefix" "the install"

# A fresh user (options of env): only HOME and a runtime folder, no other
# XDG folders, no settings folder of our own.
user_environment=(-u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u QUIZDECK_CONFIG_DIR XDG_RUNTIME_DIR="$work/runtime")
mkdir -m 700 "$work/runtime"

# Files of the run outside the data folder fail, apart from the settings
# folder, the toolkit's caches and the session bus address that the desktop's
# bus launcher keeps (the accessibility bridge asks for a bus), which live
# where the desktop keeps them.
check_home() {
  local home=$1 stray
  stray=$(cd "$home" && find . -mindepth 1 \( -path ./.local/share/quizdeck -o -path ./.config/quizdeck -o -path ./.cache -o -path ./.dbus \) \
            -prune -o -type f -print)
  [ -z "$stray" ] || fail "files written outside the data folder of $home: $stray"
  [ "$(stat -c %a "$home/.local/share/quizdeck")" = 700 ] || fail "the data folder is not owner-only"
}

# While the program runs, the program folder of the install ROOT is read-only;
# afterwards neither the install nor the folder it was started from may show a change.
start_folder=$work/elsewhere
protect_install() {
  chmod a-w "$1/lib/quizdeck"
  find "$1" -printf '%p %s %T@\n' | sort > "$work/install.before"
  mkdir "$start_folder"
}
check_install_untouched() {
  find "$1" -printf '%p %s %T@\n' | sort > "$work/install.after"
  chmod u+w "$1/lib/quizdeck"
  cmp -s "$work/install.before" "$work/install.after" || fail "the program wrote into its install $1"
  [ -z "$(ls -A "$start_folder")" ] || fail "the program wrote into the folder it was started from"
  rmdir "$start_folder"
}

# The installed command of the cmake install, started offscreen with a fresh HOME.
home=$work/home-install
mkdir -p "$home"
protect_install "$prefix"
(cd "$start_folder" && env "${user_environment[@]}" HOME="$home" QT_QPA_PLATFORM=offscreen \
  timeout 8 "$prefix/bin/quizdeck" > "$work/run.log" 2>&1) || true
check_install_untouched "$prefix"
[ -f "$home/.local/share/quizdeck/file.wrt" ] || { cat "$work/run.log"; fail "no file.wrt in the data folder of $home"; }
check_home "$home"

# The installed command of the package: a short quiz typed on the keyboard.
source "$source_dir/tests/packaging/keyboard_quiz.sh"
home=$work/home-package
protect_install "$root/usr"
take_short_quiz "$root/usr/bin/quizdeck" "$home"
check_install_untouched "$root/usr"
check_quiz_files "$home/.local/share/quizdeck"
check_home "$home"

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
