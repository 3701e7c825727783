# Shared by ./run, ./test and the scripts in tools/. Sourced, not run.

step() { printf '\n== %s\n' "$*"; }

jobs() { nproc 2>/dev/null || echo 2; }

# ensure_packages PKG...: installs the Debian packages that are missing.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  step "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
  $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# native_build DIR [CMAKE OPTIONS...]: configures (once) and builds DIR.
native_build() {
  local dir="$1"; shift
  step "building in $dir"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(jobs)"
}

# sanitizer_build DIR FLAGS [TARGET...]: configures DIR for g++ with the
# sanitizer FLAGS (compiler and linker; the sanitizers make g++ warn falsely,
# so warnings are not errors there, and the windows are left out: Qt's own
# libraries are not built with the sanitizers) and builds TARGET, or all.
sanitizer_build() {
  local dir="$1" flags="$2"; shift 2
  ensure_packages cmake g++ make python3 libgtest-dev libgmock-dev
  step "building ${*:-everything} in $dir (g++, $flags)"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
    -DSHIRL_BUILD_QT=OFF -DSHIRL_BUILD_WIN32=OFF -DSHIRL_WERROR=OFF \
    "-DCMAKE_CXX_FLAGS=$flags" "-DCMAKE_EXE_LINKER_FLAGS=$flags" >/dev/null
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$dir" -j "$(jobs)" "${targets[@]}"
}

# package_kinds SCRIPT ARG...: reads the --deb / --windows options of the
# package scripts into $deb and $windows (both when neither is given); -h
# prints the script's own comment (its lines after the first up to `set`).
package_kinds() {
  local script="$1"; shift
  deb=0 windows=0
  for arg in "$@"; do
    case "$arg" in
      --deb) deb=1 ;;
      --windows) windows=1 ;;
      -h|--help) sed -n '2,/^set /{/^set /!p}' "$script"; exit 0 ;;
      *) echo "ERROR: unknown option $arg" >&2; exit 2 ;;
    esac
  done
  if [ "$deb$windows" = 00 ]; then deb=1 windows=1; fi
}
