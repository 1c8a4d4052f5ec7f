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
# verdict STATUS NAME [DETAIL]: the check NAME passes when the status of its test ($?) is 0.
verdict() { if [ "$1" -eq 0 ]; then pass "$2"; else fail "$2" "${3:-}"; fi; }
need() {
  for tool; do command -v "$tool" >/dev/null || { echo "$tool not found: run scripts/install-deps.sh"; exit 1; }; done
}

install_prefix() {
  cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" 2>&1 ||
    { fail "cmake --install" "$(cat "$work/install.log")"; exit 1; }
}

check_prefix() {
  install_prefix
  # The programs see no data folder but the ones a check makes, and keep no settings of the user's.
  export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data-home
  export XDG_DATA_DIRS=$work/data-dirs QT_QPA_PLATFORM=offscreen
  mkdir -p "$HOME" "$work/elsewhere" && cd "$work/elsewhere" || exit 1
  local bin=$work/prefix/bin status
  local request=(--world --planet1 Neptune --planet2 Pluto --start 2000-01-01 --end 2001-12-31)

  "$build/bin/meridel-list" "${request[@]}" >built.txt 2>&1
  "$bin/meridel-list" "${request[@]}" >installed.txt 2>installed.err; status=$?
  [ "$status" -eq 0 ] && [ ! -s installed.err ] && grep -q '^Sextile ' installed.txt && cmp -s built.txt installed.txt
  verdict $? "installed meridel-list lists Pluto from share/meridel/ as the build does" \
    "exit $status: $(cat installed.err installed.txt)"
  [ "$gui" = ON ] || return 0

  "$bin/meridel-list" "${request[@]}" --graph "$work/picture.png" >/dev/null 2>graph.err; status=$?
  [ "$status" -eq 0 ] && file "$work/picture.png" | grep -q 'PNG image data'
  verdict $? "installed meridel-list draws --graph with its installed drawing module" "exit $status: $(cat graph.err)"
  # Still running after three seconds (timeout's 124) means it started and did not fail.
  timeout 3 "$bin/meridel" >meridel.log 2>&1; status=$?
  [ "$status" -eq 124 ]
  verdict $? "installed meridel starts offscreen" "exit $status within three seconds: $(cat meridel.log)"
}

check_files() {
  need man
  install_prefix
  local share=$work/prefix/share out
  for page in meridel-list $([ "$gui" = ON ] && echo meridel); do
    local file=$share/man/man1/$page.1.gz
    out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)
    [ -f "$file" ] && [ -z "$out" ] && zcat "$file" | grep -q '^\.SH NAME'
    verdict $? "manual page $page(1) formats without warnings" "$out"
  done
  [ "$gui" = ON ] || return 0

  need desktop-file-validate appstreamcli file
  local desktop=$share/applications/$app_id.desktop metainfo=$share/metainfo/$app_id.metainfo.xml
  # Hints are advice, not faults.
  out=$(desktop-file-validate "$desktop" 2>&1) && ! grep -v ': hint: ' <<<"$out" | grep -q .
  verdict $? "desktop-file-validate" "$out"
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1) && ! grep -qE '^[EW]: ' <<<"$out"
  verdict $? "appstreamcli validate" "$out"
  grep -qx "Icon=$app_id" "$desktop" && grep -qx 'Exec=meridel' "$desktop" &&
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" &&
    grep -q '<project_license>AGPL-3.0-or-later</project_license>' "$metainfo"
  verdict $? "desktop entry and metainfo name the program, its icon and each other"

  local size wrong=""
  for size in 16 22 24 32 48 64 128 256; do
    local png=$share/icons/hicolor/${size}x$size/apps/$app_id.png
    file "$png" | grep -q "PNG image data, $size x $size," || wrong+="$(file "$png")"$'\n'
  done
  grep -q '<svg' "$share/icons/hicolor/scalable/apps/$app_id.svg" 2>/dev/null || wrong+="no scalable SVG icon"
  [ -z "$wrong" ]
  verdict $? "hicolor icons: a PNG of each size in its folder, and the SVG" "$wrong"
}

check_package() {
  need cpack dpkg-deb
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { fail "cpack -G DEB" "$(cat "$work/cpack.log")"; exit 1; }
  local deb depends copyright
  deb=$(ls "$work"/package/meridel_*_"$(dpkg --print-architecture)".deb 2>/dev/null)
  [ -n "$deb" ] || { fail "no meridel_*_$(dpkg --print-architecture).deb" "$(ls "$work/package")"; exit 1; }
  pass "cpack -G DEB built $(basename "$deb")"

  # The package holds what the install rules install (no components): the programs, manual pages,
  # desktop files and icons are the other groups' checks, the changelog lintian's (no-changelog).
  local contents expected=(usr/share/meridel/mrd_help.txt
    usr/share/meridel/sky/{sun,mercury,venus,mars,jupiter,saturn,uranus,neptune,moon}.sky)
  contents=$(dpkg-deb --contents "$deb")
  local missing="" path
  for path in "${expected[@]}"; do
    grep -q " \./$path\$" <<<"$contents" || missing+="$path"$'\n'
  done
  # The drawing module, in the package's own folder of the library directory.
  [ "$gui" = OFF ] || grep -Eq ' \./usr/lib/([^/]+/)?meridel/modules/meridel-graph\.so$' <<<"$contents" ||
    missing+="usr/lib/.../meridel/modules/meridel-graph.so"$'\n'
  [ -z "$missing" ]
  verdict $? "dpkg-deb --contents lists the drawing module, the help text and the position store" "$missing"
  # libc6 is lintian's (missing-dependency-on-libc).
  depends=$(dpkg-deb --field "$deb" Depends)
  grep -q 'swe-standard-data' <<<"$depends" && grep -q 'libswe2.0 (>= ' <<<"$depends" &&
    { [ "$gui" = OFF ] || grep -q 'libqt6widgets6 (>= ' <<<"$depends"; } &&
    [ "$(dpkg-deb --field "$deb" Section)" = science ]
  verdict $? "Depends: the ephemeris files and the libraries read from the binaries; Section: science" \
    "$(dpkg-deb --field "$deb")"
  # The licence: machine-readable, with the AGPL's full text, which Debian's common-licenses lacks.
  copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/meridel/copyright)
  head -n 1 <<<"$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' &&
    grep -qx 'License: AGPL-3.0-or-later' <<<"$copyright" &&
    grep -q '^ *GNU AFFERO GENERAL PUBLIC LICENSE$' <<<"$copyright" &&
    grep -q '^ *END OF TERMS AND CONDITIONS$' <<<"$copyright" &&
    # The last paragraph, the licence, holds no empty line: its blank lines are written " .".
    ! tac <<<"$copyright" | sed '/^License: AGPL-3.0-or-later$/q' | grep -q '^$'
  verdict $? "copyright: DEP-5, AGPL-3.0-or-later with the licence's full text" "$(head -n 30 <<<"$copyright")"
}

case $group in
  prefix) check_prefix ;;
  files) check_files ;;
  package) check_package ;;
  *) echo "unknown group: $group"; exit 2 ;;
esac
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
