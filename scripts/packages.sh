# Debian packages the builds and tests need, and a function that installs
# those missing. Sourced by the scripts beside it.

build_packages=(cmake g++ libx11-dev libxft-dev libfontconfig-dev libxrandr-dev fonts-dejavu-core)
test_packages=(
  googletest libgtest-dev                                      # unit tests
  libxtst-dev xvfb openbox xdotool x11-utils x11-apps imagemagick  # X server and tools for window tests
)
windows_packages=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64)  # cross builds, run under Wine

# Installs the named packages that are not installed yet, with sudo unless root.
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
