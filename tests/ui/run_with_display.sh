#!/usr/bin/env bash
# Runs a test program under its own Xvfb (24-bit screen, for GL) with a private runtime
# folder for Qt. In sanitizer builds the leak check ignores what Qt's D-Bus library keeps
# until exit, and Mesa's GL driver stays loaded: Mesa unloads it when the display closes,
# and the blocks that only the driver's globals still pointed to would then look leaked.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"

preload=()
asan_runtime="$(ldd "$1" | awk '/libasan/ && !found { print $3; found = 1 }')"
if [ -n "$asan_runtime" ]; then
    export LSAN_OPTIONS="suppressions=$here/lsan_suppressions.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    driver="$(find /usr/lib/*/dri -name swrast_dri.so -print -quit 2>/dev/null || true)"
    # The sanitizer runtime must come first among preloaded libraries.
    preload=(env "LD_PRELOAD=$asan_runtime${driver:+ $driver}")
fi
xvfb-run -a -s "-screen 0 1280x1024x24" "${preload[@]}" "$@"
