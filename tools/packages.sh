# Debian 12 packages Tessara needs to build, run and test. Sourced by the
# other scripts here; installs only what is missing.
TESSARA_BUILD_PACKAGES=(g++ cmake ninja-build ccache pkg-config qt6-base-dev qt6-base-dev-tools
  libgl-dev libegl-dev libvulkan-dev libxkbcommon-dev qt6-qpa-plugins libbenchmark-dev fonts-ipafont-gothic)
# The install and package checks: desktop-file-validate, appstreamcli, groff,
# and CPack's dependency list (dpkg-shlibdeps from dpkg-dev, file, readelf);
# the fuzz targets: clang++ and its libFuzzer and sanitizer runtimes; the HTML
# parser that checks the built-in snippets; the writes on nearly full disks:
# mkfs.ext4 and mkfs.btrfs for loop-mounted images.
TESSARA_TEST_PACKAGES=(xvfb xauth xdotool xclip imagemagick x11-utils python3 python3-xlib
  at-spi2-core python3-pyatspi dbus-daemon util-linux e2fsprogs btrfs-progs
  desktop-file-utils appstream dpkg-dev file binutils groff-base
  clang libclang-rt-14-dev python3-html5lib)

tessara_install() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
