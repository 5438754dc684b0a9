# Sourced by the sanitizer test run and the fuzzer: the build in build-asan/
# (clang, AddressSanitizer and UndefinedBehaviorSanitizer, fuzz targets too)
# and the sanitizers' run-time settings. Any finding is fatal; leaks are
# reported, less those inside system libraries named in lsan.supp.
sanitizer_dir=build-asan
sanitizer_build() {  # [targets...]
  local flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$sanitizer_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    -DHUEVOX_FUZZ=ON "${launcher[@]}" >/dev/null
  cmake --build "$sanitizer_dir" --parallel "$(nproc)" ${1:+--target "$@"}
}
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
