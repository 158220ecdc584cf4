#!/usr/bin/env bash
# Renews the user guide's screenshots: builds the program folder and the
# help_shots maker, opens the real windows (the exam program's and the update
# utility's, the latter on updates published into a local folder) on a virtual
# X screen and writes their pictures into content/help/images/. Run it after a window changes,
# look at the pictures, and commit them with the change.
#   bash scripts/help-screenshots.sh [BUILD_FOLDER]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$source_dir/build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# The program folder with its study guide (the book viewer's picture opens it).
cmake --build "$build" -j2 --target program_folder study_guide quizdeck gridlab help_shots
# The web pages of the quiz and explanation windows render only on a real
# X display; Xvfb gives one without a desktop. Nothing goes to the network.
export QT_QPA_PLATFORM=xcb
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/help_shots/help_shots" "$build/stage" "$source_dir/content/help/images"
echo "pictures written to content/help/images/; look at each before committing"
