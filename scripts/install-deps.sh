#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, if any is missing.
# Runs as root on a fresh Debian 12 machine (or with sudo when available).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config binutils
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-multilib                  # the 32-bit record layout check
  clang libclang-rt-14-dev      # libFuzzer harnesses
  libdxflib-dev                 # the DXF import comparison benchmark
  zlib1g-dev                    # compressed data of PDF-based Illustrator files
  libzstd-dev                   # Zstandard-compressed data of newer Illustrator files
  poppler-utils                 # pdfinfo, the independent judge of PDF page counts and boxes
  qt6-base-dev                  # the desktop program (Widgets, and QtTest for its tests)
  qt6-tools-dev qt6-l10n-tools  # its English translation, compiled at build time
  librsvg2-bin                  # rsvg-convert: its toolbar icons (and the packages' icons) as PNG
  qt6-translations-l10n         # Qt's own dialog texts in Chinese
  fonts-wqy-microhei            # a font with the Chinese characters of its texts
  xvfb xauth fonts-dejavu-core  # scripts/screenshot.sh
  libstb-dev libtiff-dev        # raster image import: stb_image, and TIFF/DNG through libtiff
  libfontconfig-dev             # text: the system font folders (TrueType outlines through stb)
  libpugixml-dev                # SVG import: the XML parser
  libpolyclipping-dev           # kerf compensation: Clipper's polygon offset
  # The 32-bit Windows DLL and its tests: the MinGW-w64 cross compilers (POSIX threads), zlib
  # for them, GoogleTest's sources, and Wine to run the tests (wine32 needs the i386
  # architecture, added below).
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix libz-mingw-w64-dev googletest
  wine wine32:i386
  ccache                        # compiler cache of every build in ./test.sh
  # The Debian packages stage of ./test.sh (packaging/test-packages.sh): dpkg-shlibdeps, and
  # `file` that CPack finds the binaries with; lintian; the desktop file and AppStream
  # validators; the MIME database and xdg-mime; man.
  dpkg-dev file lintian desktop-file-utils appstream shared-mime-info xdg-utils man-db
  linuxcnc-uspace               # rs274, which judges the LinuxCNC profile's programs
)
[ $# -gt 0 ] && packages+=("$@")

# wine32 is an i386 package: the architecture must be known before apt-get can find it.
add_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || add_i386=1

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
[ "$add_i386" -eq 1 ] && "${as_root[@]}" dpkg --add-architecture i386
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
