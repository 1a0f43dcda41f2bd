#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks what it holds and what it depends on,
# unpacks it into a temporary root and runs the unpacked pemrix-cli on the virtual adapter.
# Usage: check_package.sh <build folder>
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "$*"; status=1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "cpack made ${#debs[@]} packages"; exit 1; }
deb=${debs[0]}

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for wanted in \
  /usr/bin/pemrix \
  /usr/bin/pemrix-cli \
  /usr/share/doc/pemrix/pemrix.html \
  /usr/share/doc/pemrix/copyright \
  /usr/share/doc/pemrix/changelog.Debian.gz \
  /usr/share/man/man1/pemrix.1.gz \
  /usr/share/man/man1/pemrix-cli.1.gz \
  /usr/share/icons/hicolor/scalable/apps/pemrix.svg \
  /usr/share/applications/pemrix.desktop \
  /usr/share/icons/hicolor/128x128/apps/pemrix.png \
  /usr/share/metainfo/com.brantelsoftware.pemrix.metainfo.xml \
  /usr/lib/udev/rules.d/60-pemrix.rules; do
  grep -qxF "$wanted" <<<"$files" || fail "The package lacks $wanted"
done
while read -r file; do
  case "$file" in
    /usr/*/) ;;
    /usr/local/* | /usr/share/man/*[0-9]) fail "Not where Debian wants it: $file" ;;
    /usr/*) ;;
    *) fail "Outside /usr: $file" ;;
  esac
done <<<"$files"

# dpkg-shlibdeps' libraries, each with a version, and the plugin Qt loads at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6 libusb-1.0-0 libftdi1-2 libgpiod2; do
  grep -qF ", $library (>= " <<<", $depends" || fail "Depends lacks $library: $depends"
done
grep -qE '(^|, )qt6-qpa-plugins(,|$)' <<<"$depends" || fail "Depends lacks qt6-qpa-plugins: $depends"

# The unpacked tool on the virtual adapter, in a home of its own.
dpkg-deb -x "$deb" "$work/root"
cli=$work/root/usr/bin/pemrix-cli
export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
mkdir -p "$HOME"
if ! listing=$("$cli" list); then
  fail "pemrix-cli list failed"
elif ! grep -qi virtual <<<"$listing"; then
  fail "pemrix-cli list shows no virtual adapter: $listing"
fi
if "$cli" -p virtual -c 93c46 read "$work/chip.bin"; then
  size=$(stat -c %s "$work/chip.bin")
  [ "$size" -eq 128 ] || fail "A 93C46 read into $size bytes, not 128"
else
  fail "pemrix-cli read on the virtual adapter failed"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || fail "lintian found errors"
fi
exit $status
