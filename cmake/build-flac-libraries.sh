#!/usr/bin/env bash
# build-flac-libraries.sh <prefix> <toolchain file>
# Cross-builds libogg and libFLAC, static and optimised, from Debian's source packages into
# <prefix>; does nothing when <prefix> already holds this exact build.
set -euo pipefail
prefix=$1
toolchain=$2

flac_version=1.4.2+ds-2
ogg_version=1.3.5-3
# The original upstream tarballs, pinned.
flac_orig_sha256=47274ac8fcb1f0e6caa91d29f943925d7a40c0a3f6357c3275773bdb1ee46638
ogg_orig_sha256=c4d91be36fc8e54deae7575241e03f4211eb102afb3fc0775fbbc1b740016705

stamp="$prefix/.built"
key="flac=$flac_version ogg=$ogg_version $(sha256sum "$0" | cut -c1-16)"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$key" ]; then
  exit 0
fi

work="$prefix.work"
rm -rf "$prefix" "$work"
mkdir -p "$work"
cd "$work"

echo "flac libraries: fetching Debian sources flac $flac_version, libogg $ogg_version"
apt-get source --download-only -qq "flac=$flac_version" "libogg=$ogg_version" 2>&1 |
  grep -v 'couldn.t be accessed by user' || true
sha256sum -c --quiet - <<SUMS
$flac_orig_sha256  flac_${flac_version%-*}.orig.tar.xz
$ogg_orig_sha256  libogg_${ogg_version%-*}.orig.tar.xz
SUMS
# (The upload signatures cannot be checked without Debian's keyring; the pins above stand.)
dpkg-source -q -x "flac_$flac_version.dsc" flac >/dev/null 2>&1
dpkg-source -q -x "libogg_$ogg_version.dsc" ogg >/dev/null 2>&1

common=(
  -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DCMAKE_BUILD_TYPE=Release
  "-DCMAKE_C_FLAGS_RELEASE=-O3 -DNDEBUG"
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DBUILD_SHARED_LIBS=OFF
)

echo "flac libraries: building libogg"
cmake -S ogg -B ogg-build "${common[@]}" -DINSTALL_DOCS=OFF -DINSTALL_PKG_CONFIG_MODULE=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build ogg-build -j2 >/dev/null
cmake --install ogg-build >/dev/null

echo "flac libraries: building libFLAC"
cmake -S flac -B flac-build "${common[@]}" \
  -DOGG_INCLUDE_DIR="$prefix/include" -DOGG_LIBRARY="$prefix/lib/libogg.a" \
  -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF \
  -DINSTALL_MANPAGES=OFF -DINSTALL_PKGCONFIG_MODULES=OFF -DWITH_OGG=ON \
  -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF >/dev/null
cmake --build flac-build -j2 --target FLAC >/dev/null
cmake --install flac-build >/dev/null

cd /
rm -rf "$work"
echo "$key" > "$stamp"
echo "flac libraries: ready in $prefix"
