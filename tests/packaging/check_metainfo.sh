#!/usr/bin/env bash
# The software centre's metainfo: valid as AppStream has it, its USB ids the ones the udev rule
# opens, and its screenshots pictures the screenshot renderer draws.
# Usage: check_metainfo.sh <metainfo> <source folder>
set -euo pipefail
metainfo=$1
top=$2
status=0

appstreamcli validate --no-net --pedantic "$metainfo"

# usb:v1A86p5512d* against ATTR{idVendor}=="1a86", ATTR{idProduct}=="5512"
listed=$(grep -o 'usb:v[0-9A-F]\{4\}p[0-9A-F]\{4\}' "$metainfo" | sed 's/usb:v\(....\)p\(....\)/\1:\2/' | sort)
opened=$(sed -n 's/.*idVendor}=="\([0-9a-fA-F]\{4\}\)".*idProduct}=="\([0-9a-fA-F]\{4\}\)".*/\1:\2/p' \
  "$top/udev/60-pemrix.rules" | tr a-f A-F | sort)
if [ "$listed" != "$opened" ]; then
  echo "The metainfo's USB ids differ from the udev rule's:"
  diff <(echo "$listed") <(echo "$opened") || true
  status=1
fi

for picture in $(sed -n 's|.*<image>.*/\([^/<]*\.png\)</image>.*|\1|p' "$metainfo"); do
  if ! grep -q "\"$picture\"" "$top/tools/screenshots/ScreenshotTable.cpp"; then
    echo "The screenshot renderer draws no $picture"
    status=1
  fi
done
exit $status
