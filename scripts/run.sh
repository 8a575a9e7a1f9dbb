#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a
# graphical display it shows the batch tool at work on the example project.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}

# Builds only the program it starts, not the tests.
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  TARGETS=vantor bash scripts/build.sh
  exec "$build_dir/ui/vantor" "$@"
fi

# The window program too, for the virtual display suggested below.
TARGETS="vantor vantor-cli" bash scripts/build.sh
echo "No graphical display was found (neither DISPLAY nor WAYLAND_DISPLAY is set),"
echo "so the desktop program cannot open its window here. To see it, run this"
echo "command from a desktop session, or under a virtual display:"
echo "    xvfb-run -s \"-screen 0 1280x900x24\" $build_dir/ui/vantor"
echo
echo "Meanwhile, this is the batch tool at work on the example project."
for project in examples/*.ad; do
  [ -e "$project" ] || continue
  echo
  echo "\$ vantor-cli check $project"
  # check exits with 3 when a volume has an error: that is a finding, not a failure.
  status=0
  "$build_dir/cli/vantor-cli" check "$project" || status=$?
  if [ "$status" -ne 0 ] && [ "$status" -ne 3 ]; then
    exit "$status"
  fi
  echo
  echo "\$ vantor-cli report $project"
  "$build_dir/cli/vantor-cli" report "$project"
done
