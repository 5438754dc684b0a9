# Shared by the Windows scripts: the packages, the cross build in
# build-windows/, and a Wine prefix of its own with the DLLs on its path.
# Sourced from the project's root folder.
build=build-windows
windows_packages=(
  cmake ninja-build g++-mingw-w64-x86-64-posix googletest
  wine wine64 locales xvfb xauth x11-utils xdotool xclip
  fonts-wine  # the Tahoma that Wine keeps from programs, which the program loads itself
  librsvg2-bin imagemagick zip unzip nsis
  # the Qt build's host tools
  dpkg-dev qt6-base-dev qt6-base-dev-tools
)

export WINEPREFIX="$PWD/$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: their installers would ask (and download) on first start.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The folders holding the compiler's runtime DLLs.
runtime_dll_dirs() {
  local gxx=x86_64-w64-mingw32-g++-posix
  dirname "$($gxx -print-file-name=libstdc++-6.dll)"
  dirname "$($gxx -print-file-name=libwinpthread-1.dll)"
}

configure_and_build() {
  qt=$(scripts/build-qt-windows.sh | tail -n 1)
  cmake --no-warn-unused-cli -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" >/dev/null
  cmake --build "$build" --parallel "$(nproc)"
  # Wine finds Qt's and the compiler's DLLs for the test programs here.
  local dirs=("$qt/bin" $(runtime_dll_dirs))
  printf 'Z:%s;' "${dirs[@]}" > "$build/winepath"
}

wine_start() {
  export WINEPATH; WINEPATH=$(cat "$build/winepath")
  # A sound card that plays into nothing, so the tune really plays here too.
  export HOME="$PWD/$build/home"
  mkdir -p "$HOME"
  printf 'pcm.!default { type null }\nctl.!default { type null }\n' > "$HOME/.asoundrc"
  # A server left by an earlier run may be tied to a display that is gone.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  mkdir -p "$WINEPREFIX"
  wineserver -p  # one server for the whole run instead of one per program
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    LC_ALL=C.UTF-8 wine wineboot --init >/dev/null 2>&1
  fi
  # Windows left to no window manager: Wine would otherwise wait 2 s for one
  # whenever a window closes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
