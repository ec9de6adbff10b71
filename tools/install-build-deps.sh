#!/bin/sh
# Installs, on Debian 12 as root, the packages the build, the tests, the
# benchmarks, the fuzz targets, the manual pages (scdoc, groff, man-db) and
# the Debian package (dpkg-dev, fakeroot, lintian) need, when they are missing.
set -eu
packages="cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libtomlplusplus-dev libtbb-dev clang-14 libclang-rt-14-dev clang-format git scdoc groff man-db dpkg-dev fakeroot lintian libpng-dev libxml2-utils librsvg2-bin chromium"
missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing="$missing $package"
done
if [ -n "$missing" ]; then
  echo "installing:$missing"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi
