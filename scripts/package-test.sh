#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a fresh folder and checks what it
# installs; validates the desktop entry, the AppStream file and the project
# file type.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$out/pkg" >/dev/null)
deb=$(ls "$out"/pkg/vantor_*.deb)
dpkg-deb -x "$deb" "$out/root"

fail=0
for f in usr/bin/vantor usr/bin/vantor-cli usr/bin/vantor-pdf \
         usr/share/doc/vantor/copyright \
         usr/share/applications/vantor.desktop \
         usr/share/mime/packages/vantor.xml \
         usr/share/metainfo/io.vantor.calculation.metainfo.xml \
         usr/share/icons/hicolor/48x48/apps/vantor.png \
         usr/share/icons/hicolor/256x256/apps/vantor.png \
         usr/share/icons/hicolor/scalable/apps/vantor.svg \
         usr/share/man/man1/vantor-cli.1; do
  if [ ! -e "$out/root/$f" ]; then
    echo "missing in package: $f"
    fail=1
  fi
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in fonts-liberation2 libqt6widgets6 qt6-qpa-plugins; do
  case "$depends" in
    *"$d"*) ;;
    *) echo "package does not depend on $d: $depends"; fail=1 ;;
  esac
done

desktop-file-validate "$out/root/usr/share/applications/vantor.desktop" || fail=1
appstreamcli validate --no-net --pedantic "$out/root/usr/share/metainfo/io.vantor.calculation.metainfo.xml" || fail=1
# The file type is well-formed, claims "*.ad", and the desktop entry opens it.
mime="$out/root/usr/share/mime/packages/vantor.xml"
xmllint --noout "$mime" || fail=1
grep -q 'type="application/x-vantor-project"' "$mime" && grep -q 'pattern="\*\.ad"' "$mime" ||
  { echo "the MIME type file does not define application/x-vantor-project for *.ad"; fail=1; }
grep -qx 'MimeType=application/x-vantor-project;' "$out/root/usr/share/applications/vantor.desktop" ||
  { echo "the desktop entry does not name the project file type"; fail=1; }
cp -r "$out/root/usr/share/mime" "$out/mime"
# Built where the data folder of the environment points, so it does not warn.
XDG_DATA_HOME="$out" update-mime-database "$out/mime" || fail=1
grep -q 'application/x-vantor-project:\*\.ad' "$out/mime/globs" ||
  { echo "update-mime-database did not take the *.ad glob"; fail=1; }
"$out/root/usr/bin/vantor-cli" --version >/dev/null || fail=1
# The unpacked batch tool finds its PDF helper beside it and prints a report.
if [ -n "${VANTOR_EXAMPLE:-}" ]; then
  QT_QPA_PLATFORM=offscreen "$out/root/usr/bin/vantor-cli" pdf "$VANTOR_EXAMPLE" -o "$out/example.pdf" >/dev/null || fail=1
  head -c 4 "$out/example.pdf" 2>/dev/null | grep -q '%PDF' || { echo "no PDF written by the packaged vantor-cli"; fail=1; }
fi

if [ "$fail" -ne 0 ]; then
  echo "package check failed"
  exit 1
fi
echo "package check passed: $(basename "$deb")"
