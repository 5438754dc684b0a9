#!/usr/bin/env bash
# Builds the Debian package dist/huevox_<version>_amd64.deb: a Release build
# with Debian's hardening flags in build-deb/, installed under /usr by CPack,
# dependencies from dpkg-shlibdeps plus what the program loads at run time.
# Installs what it needs first (apt-get, skipping what is present).
#   --from BUILD_DIR  package an existing build instead (the tests do so)
#   --out DIR         write the package there instead of dist/
# The package names its maintainer, whoever makes it: DEBFULLNAME and DEBEMAIL
# (as for Debian's own tools) give the name and address.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-deb out=dist from=
while (($#)); do
  case "$1" in
    --from) from="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    *) echo "usage: $0 [--from BUILD_DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done

if [[ -z "${DEBFULLNAME:-}" || -z "${DEBEMAIL:-}" ]]; then
  echo "$0: a Debian package names its maintainer: set DEBFULLNAME and DEBEMAIL to your name and e-mail address" >&2
  exit 2
fi

if [[ -z "$from" ]]; then
  read -ra build_packages < <(sed -n 's/^build: //p' packaging/linux/packages)
  scripts/install-packages.sh dpkg-dev file "${build_packages[@]}"
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Debian's hardening flags, given on every run: CMake reads CXXFLAGS only once.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build "$build" --parallel "$(nproc)" --target huevox huevox_compressed_docs
  from=$build
fi

mkdir -p "$out"
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
# CPack's own working folder goes to the staging folder, not into the build.
cpack --config "$from/CPackConfig.cmake" -B "$staging" >/dev/null
mv "$staging"/huevox_*_amd64.deb "$out"/
ls "$out"/huevox_*_amd64.deb
