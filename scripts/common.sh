# Shared by scripts/run, scripts/test and .ci/run: the Debian packages each needs, installing
# what is missing, and the one build every script uses. Source it; do not run it.

# What building and running the program and its tools needs.
RUN_PACKAGES=(cmake g++ make libsdl2-dev libx11-dev libgl-dev libgl1-mesa-dri libpng-dev)
# What the tests need besides: GoogleTest and Google Benchmark, a virtual X server for the gl
# tests and a way to press keys in it.
TEST_PACKAGES=("${RUN_PACKAGES[@]}" xxd libgtest-dev libbenchmark-dev xvfb xauth xdotool)
# What CI installs besides, so that every test label runs there: the Windows cross compilers,
# Wine and the tools of the Windows smoke test; a sound server and its tools for the sound tests;
# the X fonts SDL's message box is drawn with. Wine is installed with what it recommends, as a
# desktop would have it.
CI_PACKAGES=(zip imagemagick x11-utils clang libclang-rt-14-dev pulseaudio pulseaudio-utils
             python3 xfonts-base)
CI_WINDOWS_PACKAGES=(mingw-w64 wine wine64)
# The 32-bit x86 Linux build (scripts/test-x86-32): the multilib compiler, and qemu-i386 for a
# kernel that does not run 32-bit programs itself.
CI_X86_32_PACKAGES=(g++-multilib qemu-user)

VAULTRUN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VAULTRUN_BUILD="$VAULTRUN_ROOT/build"

# Installs the named Debian packages that are missing when run as root; otherwise says exactly
# what to run and stops. On a system without dpkg it only says what the build expects.
ensure_packages() {
  if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "note: not a Debian system; the build expects: $*" >&2
    return 0
  fi
  local missing=() package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root, then run this again:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (Release) into build/ and builds the given targets, or everything. JOBS sets the
# number of parallel jobs (default: every processor).
build_vaultrun() {
  local jobs="${JOBS:-$(nproc 2>/dev/null || echo 2)}"
  cmake -S "$VAULTRUN_ROOT" -B "$VAULTRUN_BUILD" -DCMAKE_BUILD_TYPE=Release >/dev/null
  if [ $# -gt 0 ]; then
    local targets=() target
    for target in "$@"; do targets+=(--target "$target"); done
    cmake --build "$VAULTRUN_BUILD" -j "$jobs" "${targets[@]}"
  else
    cmake --build "$VAULTRUN_BUILD" -j "$jobs"
  fi
}
