#!/usr/bin/env bash
# Builds the part of Qt 6.4.2 that Huevox needs for 64-bit Windows, with
# Debian's mingw-w64, from Debian's own qt6-base source package, using
# Debian's Linux Qt as the host tools. The result is cached in
#   ${XDG_CACHE_HOME:-$HOME/.cache}/huevox/qt-6.4.2-mingw64-<key>/prefix
# where <key> changes with the build options, so a second run does nothing.
# HUEVOX_QT_WINDOWS=<prefix> names an existing Qt for mingw instead.
# Prints the prefix as its last line; everything else goes to standard error.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

if [[ -n "${HUEVOX_QT_WINDOWS:-}" ]]; then
  [[ -f "$HUEVOX_QT_WINDOWS/lib/cmake/Qt6/qt.toolchain.cmake" ]] || {
    echo "HUEVOX_QT_WINDOWS=$HUEVOX_QT_WINDOWS holds no Qt 6 for Windows" >&2; exit 1; }
  echo "$HUEVOX_QT_WINDOWS"; exit 0
fi

version=6.4.2
# Only Core, Gui, Widgets and Test are used; everything else is left out to
# keep a fresh build short. The bundled third-party libraries are used
# because Debian ships none of them for mingw.
features=(
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF
  -DFEATURE_ssl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_testlib_selfcover=OFF
  -DFEATURE_sql_sqlite=OFF -DFEATURE_gif=OFF -DFEATURE_ico=ON -DFEATURE_jpeg=ON
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF
)
key=$(printf '%s\n' "$version" "${features[@]}" "$(cat "$root/cmake/mingw-w64-x86_64.cmake")" \
  | sha256sum | cut -c1-12)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/huevox/qt-$version-mingw64-$key"
prefix="$cache/prefix"
if [[ -f "$prefix/.complete" ]]; then
  echo "$prefix"; exit 0
fi

"$root/scripts/install-packages.sh" >&2 \
  cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix \
  qt6-base-dev qt6-base-dev-tools
mkdir -p "$cache"
cd "$cache"
start=$SECONDS

# Source entries derived from the machine's own binary entries, kept in a
# private apt state so the system's configuration is not touched.
apt="$cache/apt"
mkdir -p "$apt/lists/partial" "$apt/sources.list.d" "$apt/cache/archives/partial"
: > "$apt/sources.list"
for f in /etc/apt/sources.list.d/*.sources; do
  [[ -e "$f" ]] && sed -E 's/^Types:.*/Types: deb-src/' "$f" > "$apt/sources.list.d/$(basename "$f")"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [[ -e "$f" ]] && sed -nE 's/^deb[[:space:]]+/deb-src /p' "$f" >> "$apt/sources.list"
done
aptopts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
         -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root")
src=$(find "$cache" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n 1)
if [[ -z "$src" ]]; then
  echo "Fetching Debian's qt6-base $version sources" >&2
  apt-get "${aptopts[@]}" -qq update >&2
  apt-get "${aptopts[@]}" -qq source qt6-base >&2
  src=$(find "$cache" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n 1)
  [[ -n "$src" ]] || { echo "Debian's qt6-base source is not version $version" >&2; exit 1; }
fi

# A copy, since Qt's installed toolchain file refers to it by path.
{ cat "$root/cmake/mingw-w64-x86_64.cmake"
  echo '# Qt links the compiler runtime dynamically.'
  echo 'set(CMAKE_EXE_LINKER_FLAGS_INIT "")'
} > "$cache/toolchain.cmake"

build="$cache/build"
if [[ ! -f "$build/build.ninja" ]]; then
  echo "Configuring Qt $version for Windows" >&2
  cmake -G Ninja -S "$src" -B "$build" >&2 \
    -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ "${features[@]}"
fi
echo "Building Qt $version for Windows (about 26 minutes on 2 cores)" >&2
cmake --build "$build" --parallel "$(nproc)" >&2
cmake --install "$build" >&2
touch "$prefix/.complete"
# The sources and objects are not needed once installed.
rm -rf "$build" "$src" "$apt" "$cache"/qt6-base_*
echo "Qt for Windows built in $((SECONDS - start)) s" >&2
echo "$prefix"
