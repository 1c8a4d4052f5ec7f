#!/usr/bin/env bash
# install_checks.sh GROUP BUILD_DIR GUI(ON|OFF) APP_ID
#   prefix:  installs into a temporary prefix and runs the installed programs from there;
#   files:   the installed desktop entry, metainfo, icons and manual pages, by their validators;
#   package: builds the Debian package and reads its control fields and contents.
# Every check runs and reports; the group fails when any check did.
set -uo pipefail
group=$1 build=$(cd "$2" && pwd) gui=$3 app_id=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passes=0

pass() { passes=$((passes + 1)); echo "ok   $1"; }
fail() { failures=$((failures + 1)); echo "FAIL $1"; [ -z "${2:-}" ] || sed 's/^/     /' <<<"$2"; }
need() {
  command -v "$1" >/dev/null || { echo "$1 not found: run scripts/install-deps.sh"; exit 1; }
}

install_prefix() {
  cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    { fail "cmake --install" "$(cat "$work/install.log")"; exit 1; }
}

# The programs see no data folder but the ones a check makes, and keep no settings of the user's.
isolate() {
  export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data-home
  export XDG_DATA_DIRS=$work/data-dirs QT_QPA_PLATFORM=offscreen
  mkdir -p "$HOME"
}

check_prefix() {
  install_prefix
  isolate
  local bin=$work/prefix/bin share=$work/prefix/share/meridel
  local request=(--world --planet1 Neptune --planet2 Pluto --start 2000-01-01 --end 2001-12-31)
  mkdir -p "$work/elsewhere" && cd "$work/elsewhere" || exit 1

  "$build/bin/meridel-list" "${request[@]}" >built.txt 2>&1
  local status
  "$bin/meridel-list" "${request[@]}" >installed.txt 2>installed.err; status=$?
  if [ "$status" -eq 0 ] && [ ! -s installed.err ] && grep -q '^Sextile ' installed.txt &&
     cmp -s built.txt installed.txt; then
    pass "installed meridel-list lists Pluto from share/meridel/ as the build does"
  else
    fail "installed meridel-list (exit $status)" "$(cat installed.err installed.txt)"
  fi

  # Without the position store the positions come from the library directly: the same listing.
  mv "$share/sky" "$work/sky-away"
  "$bin/meridel-list" "${request[@]}" >no-store.txt 2>&1; status=$?
  mv "$work/sky-away" "$share/sky"
  if [ "$status" -eq 0 ] && cmp -s built.txt no-store.txt; then
    pass "without share/meridel/sky/ the same listing, computed directly"
  else
    fail "listing without the position store (exit $status)" "$(cat no-store.txt)"
  fi

  if [ "$gui" = ON ]; then
    "$bin/meridel-list" "${request[@]}" --graph "$work/picture.png" >/dev/null 2>graph.err; status=$?
    if [ "$status" -eq 0 ] && file "$work/picture.png" | grep -q 'PNG image data'; then
      pass "installed meridel-list draws --graph with its installed drawing module"
    else
      fail "installed meridel-list --graph (exit $status)" "$(cat graph.err)"
    fi
  fi

  # Where else the file is looked for is the data folder test's (tests/ephemeris).
  rm "$share/pluto.slx"
  "$bin/meridel-list" "${request[@]}" >missing.txt 2>missing.err; status=$?
  local expected="[Read Pluto Data] Error when reading geocentric Pluto data. / $bin/pluto.slx: No such file or directory"
  if [ "$status" -eq 1 ] && [ "$(head -n 1 missing.err)" = "$expected" ]; then
    pass "with no pluto.slx anywhere the message names the executable's folder"
  else
    fail "message for a missing pluto.slx (exit $status)" "$(cat missing.err)"
  fi

  if [ "$gui" = ON ]; then
    # Still running after three seconds (timeout's 124) means it started and did not fail.
    timeout 3 "$bin/meridel" >meridel.log 2>&1; status=$?
    if [ "$status" -eq 124 ]; then
      pass "installed meridel starts offscreen"
    else
      fail "installed meridel ended with exit $status within three seconds" "$(cat meridel.log)"
    fi
  fi
}

check_files() {
  need man
  install_prefix
  local share=$work/prefix/share out
  for page in meridel-list $([ "$gui" = ON ] && echo meridel); do
    local file=$share/man/man1/$page.1.gz
    out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
    if [ -f "$file" ] && [ -z "$out" ] && zcat "$file" | grep -q '^\.SH NAME'; then
      pass "manual page $page(1) formats without warnings"
    else
      fail "manual page $page(1)" "$out"
    fi
  done
  [ "$gui" = ON ] || return 0

  need desktop-file-validate
  need appstreamcli
  need file
  local desktop=$share/applications/$app_id.desktop
  local metainfo=$share/metainfo/$app_id.metainfo.xml
  out=$(desktop-file-validate "$desktop" 2>&1)
  # Hints are advice, not faults.
  if [ $? -eq 0 ] && ! grep -v ': hint: ' <<<"$out" | grep -q .; then
    pass "desktop-file-validate"
  else
    fail "desktop-file-validate" "$out"
  fi
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1)
  if [ $? -eq 0 ] && ! grep -qE '^[EW]: ' <<<"$out"; then
    pass "appstreamcli validate"
  else
    fail "appstreamcli validate" "$out"
  fi
  if grep -qx "Icon=$app_id" "$desktop" && grep -qx 'Exec=meridel' "$desktop" &&
     grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" &&
     grep -q '<project_license>AGPL-3.0-or-later</project_license>' "$metainfo"; then
    pass "desktop entry and metainfo name the program, its icon and each other"
  else
    fail "desktop entry and metainfo disagree on the names"
  fi

  local size wrong=""
  for size in 16 22 24 32 48 64 128 256; do
    local png=$share/icons/hicolor/${size}x$size/apps/$app_id.png
    file "$png" | grep -q "PNG image data, $size x $size," || wrong+="$(file "$png")"$'\n'
  done
  grep -q '<svg' "$share/icons/hicolor/scalable/apps/$app_id.svg" 2>/dev/null || wrong+="no scalable SVG icon"
  if [ -z "$wrong" ]; then
    pass "hicolor icons: a PNG of each size in its folder, and the SVG"
  else
    fail "hicolor icons" "$wrong"
  fi
}

check_package() {
  need cpack
  need dpkg-deb
  need file
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { fail "cpack -G DEB" "$(cat "$work/cpack.log")"; exit 1; }
  local deb
  deb=$(ls "$work"/package/meridel_*_"$(dpkg --print-architecture)".deb 2>/dev/null)
  [ -n "$deb" ] || { fail "no meridel_*_$(dpkg --print-architecture).deb" "$(ls "$work/package")"; exit 1; }
  pass "cpack -G DEB built $(basename "$deb")"

  # The package holds what the install rules install (no components): the programs, manual pages,
  # desktop files and icons are the other groups' checks; here what only the package shows.
  local contents expected=(
    usr/share/meridel/mrd_help.txt usr/share/doc/meridel/copyright usr/share/doc/meridel/changelog.gz)
  for body in sun mercury venus mars jupiter saturn uranus neptune moon; do
    expected+=("usr/share/meridel/sky/$body.sky")
  done
  contents=$(dpkg-deb --contents "$deb")
  local missing="" path
  for path in "${expected[@]}"; do
    grep -q " \./$path\$" <<<"$contents" || missing+="$path"$'\n'
  done
  # The drawing module, in the package's own folder of the library directory.
  [ "$gui" = OFF ] || grep -Eq ' \./usr/lib/([^/]+/)?meridel/modules/meridel-graph\.so$' <<<"$contents" ||
    missing+="usr/lib/.../meridel/modules/meridel-graph.so"$'\n'
  if [ -z "$missing" ]; then
    pass "dpkg-deb --contents lists the drawing module, the help text, the position store and the Debian documents"
  else
    fail "missing from the package" "$missing"
  fi
  local depends
  depends=$(dpkg-deb --field "$deb" Depends)
  if grep -q 'swe-standard-data' <<<"$depends" && grep -q 'libswe2.0 (>= ' <<<"$depends" &&
     grep -q 'libc6 (>= ' <<<"$depends" &&
     { [ "$gui" = OFF ] || grep -q 'libqt6widgets6 (>= ' <<<"$depends"; } &&
     [ "$(dpkg-deb --field "$deb" Section)" = science ]; then
    pass "Depends: the ephemeris files and the libraries read from the binaries; Section: science"
  else
    fail "Depends or Section" "$(dpkg-deb --field "$deb")"
  fi
  # The licence: machine-readable, with the AGPL's full text, which Debian's common-licenses lacks.
  local copyright
  copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/meridel/copyright)
  if head -n 1 <<<"$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
     grep -qx 'License: AGPL-3.0-or-later' <<<"$copyright" &&
     grep -q '^ *GNU AFFERO GENERAL PUBLIC LICENSE$' <<<"$copyright" &&
     grep -q '^ *END OF TERMS AND CONDITIONS$' <<<"$copyright" &&
     # The last paragraph, the licence, holds no empty line: its blank lines are written " .".
     ! tac <<<"$copyright" | sed '/^License: AGPL-3.0-or-later$/q' | grep -q '^$'; then
    pass "copyright: DEP-5, AGPL-3.0-or-later with the licence's full text"
  else
    fail "copyright file" "$(head -n 30 <<<"$copyright")"
  fi
}

case $group in
  prefix) check_prefix ;;
  files) check_files ;;
  package) check_package ;;
  *) echo "unknown group: $group"; exit 2 ;;
esac
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
