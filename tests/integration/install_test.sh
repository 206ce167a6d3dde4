#!/usr/bin/env bash
# The installation as desktops see it: `cmake --install` to a fresh prefix runs from there
# and finds its data, the desktop entry and metainfo validate, and (as root) the Debian
# package installs with dpkg and runs from /usr/bin.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY
BUILD=${BUILD_DIR:?the build folder}
new_home
prefix="$TEST_ROOT/prefix"
cmake --install "$BUILD" --prefix "$prefix" >/dev/null
expect_eq "cmake --install" 0 $?
for file in bin/orbeline share/orbeline/JPN.def share/orbeline/ovalin.html \
            share/applications/org.quillmere.Orbeline.desktop \
            share/icons/hicolor/scalable/apps/org.quillmere.Orbeline.svg \
            share/metainfo/org.quillmere.Orbeline.metainfo.xml share/man/man1/orbeline.1; do
  expect_true "installed $file" test -s "$prefix/$file"
done
LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 "$prefix/bin/orbeline" -OnlyDraw
expect_eq "installed -OnlyDraw" 0 $?
expect_eq "the installed program read JPN.def" "1 201" "$(setting Holiday1)"

expect_eq "desktop entry validates" "" \
  "$(desktop-file-validate "$prefix/share/applications/org.quillmere.Orbeline.desktop" 2>&1)"
expect_true "metainfo validates" bash -c \
  "appstreamcli validate --no-net '$prefix/share/metainfo/org.quillmere.Orbeline.metainfo.xml' >/dev/null"
expect_true "the manual page renders" \
  bash -c "man -l '$prefix/share/man/man1/orbeline.1' 2>&1 | grep -q 'EXIT STATUS'"

if [[ $(id -u) -eq 0 ]] && command -v dpkg >/dev/null; then
  (cd "$BUILD" && cpack -G DEB -B "$TEST_ROOT/package" >/dev/null)
  deb=$(ls "$TEST_ROOT"/package/orbeline_*.deb 2>/dev/null | head -1)
  expect_true "cpack made a package" test -f "$deb"
  if [[ -f $deb ]] && dpkg -i "$deb" >/dev/null; then
    trap 'dpkg -r orbeline >/dev/null 2>&1; cleanup_homes' EXIT
    new_home
    LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 /usr/bin/orbeline -OnlyDraw
    expect_eq "packaged -OnlyDraw" 0 $?
    expect_eq "the package's program read ENU.def" "1 301" "$(setting Holiday1)"
  else
    expect_true "dpkg -i of the package" false
  fi
else
  echo "not root: the Debian package is not installed here"
fi
finish
