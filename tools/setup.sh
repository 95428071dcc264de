#!/bin/sh
# Installs the Debian packages the build and the tests need, only those that are missing.
set -e
packages="cmake make g++ clang clang-format libclang-rt-14-dev python3
g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth x11-utils imagemagick
fp-utils libchm-bin libbenchmark-dev googletest nsis zip fonts-dejavu-core fonts-wqy-microhei"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
