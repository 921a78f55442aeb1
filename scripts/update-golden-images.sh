#!/usr/bin/env bash
# Makes the reference pictures of tests/ui/golden again from what the program
# draws now: run it after an intended change of the front panel's drawing
# (captions, marks, panel buttons, font, panel picture), look at the new
# pictures, and commit them with the change. Builds into build/ first.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$top/build" --target ui_panel_tests -j4
cd "$top/build/tests/ui"
DORVA_UPDATE_GOLDEN=1 "$top/scripts/with-xvfb.sh" ./ui_panel_tests --gtest_filter='PanelPicture.*'
git -C "$top" status --short tests/ui/golden
