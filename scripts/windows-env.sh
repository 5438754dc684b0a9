# Shared by the Windows scripts: the packages, the cross build in
# build-windows/, the run's Wine prefix with the DLLs on its path, and fresh
# prefixes for the tests that start as a new user.
# Sourced from the project's root folder, or from anywhere for wine_fresh_prefix.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=build-windows
windows_packages=(
  cmake ninja-build g++-mingw-w64-x86-64-posix googletest
  wine wine64 locales xvfb xauth x11-utils xdotool xclip
  fonts-wine  # the Tahoma that Wine keeps from programs, which the program loads itself
  librsvg2-bin imagemagick zip unzip nsis
  # the Qt build's host tools
  dpkg-dev qt6-base-dev qt6-base-dev-tools
)

export WINEPREFIX="$root/$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all
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
  # Copied before the server starts: it would save its empty registry over it.
  [[ -f "$WINEPREFIX/system.reg" ]] || { wine_template; rm -rf "$WINEPREFIX"; cp -a "$template" "$WINEPREFIX"; }
  wineserver -p  # one server for the whole run instead of one per program
  # Windows left to no window manager: Wine would otherwise wait 2 s for one
  # whenever a window closes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# $template: a new user's Wine prefix, made once per Wine version (wineboot
# takes about a minute on a busy 2-core machine, a copy about ten seconds).
wine_template() {
  template="$root/$build/wineprefix-$(wine --version | cut -d' ' -f1)"
  [[ -f "$template/system.reg" ]] && return
  echo "Creating the Wine prefix $template"
  local new="$template.$$"
  mkdir -p "$root/$build"
  rm -rf "$new"
  WINEPREFIX="$new" HOME="$new.home" LC_ALL=C.UTF-8 \
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" wine wineboot --init >/dev/null 2>&1
  WINEPREFIX="$new" wineserver -w
  rm -rf "$new.home"
  # Another run may have made it meanwhile.
  mv -T "$new" "$template" 2>/dev/null || rm -rf "$new"
}

# A fresh Wine prefix in folder $1 for one test or soak, with a home and a
# desktop of its own there: nothing installed, no DLL path, no menu entries.
wine_fresh_prefix() {
  export WINEPREFIX="$1/prefix" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export HOME="$1/home" XDG_DATA_HOME="$1/home/data" XDG_CONFIG_HOME="$1/home/config"
  export XDG_CACHE_HOME="$1/home/cache"
  unset WINEPATH
  mkdir -p "$HOME"
  wine_template
  cp -a "$template" "$WINEPREFIX"
}
