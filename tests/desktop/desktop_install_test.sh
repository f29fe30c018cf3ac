#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the desktop integration
# there: every file passes its format's validator, the files name one another
# by the same id, the MIME database built by the install tells project files
# from other XML, and the icon exists at every size of the theme.
# Usage: desktop_install_test.sh CMAKE BUILD_DIR VERSION
set -uo pipefail
cmake="$1" build="$2" version="$3"
id=com.tavrinex.Gloamer
project_type=application/x-gloamer-project+xml

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cmake" --install "$build" --prefix "$prefix" > "$prefix/install.log" 2>&1; then
  cat "$prefix/install.log"
  fail "cmake --install"
  exit 1
fi
share="$prefix/share"
mkdir -p "$prefix/home"
# A session that has the prefix's bin and share folders in its search paths.
desktop_env() { PATH="$prefix/bin:$PATH" XDG_DATA_HOME="$prefix/home" XDG_DATA_DIRS="$share:/usr/share" "$@"; }

# Menu entry: the validator's warnings and hints count as failures too.
desktop="$share/applications/$id.desktop"
if [ -f "$desktop" ]; then
  out="$(desktop-file-validate "$desktop" 2>&1)"
  [ $? -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
  key() { sed -n "s/^$1=//p" "$desktop"; }
  exec_line="$(key Exec)"
  [ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
  [[ "$exec_line" == *" %F" ]] || fail "Exec=$exec_line does not take a list of files"
  [ "$(key Icon)" = "$id" ] || fail "Icon=$(key Icon) is not the installed icon $id"
  # "Open with": the desktop, seeing only this prefix and the system, lists
  # the entry for every type it takes.
  for type in image/png image/jpeg image/bmp image/gif video/mp4 video/webm "$project_type"; do
    handlers="$(desktop_env gio mime "$type" 2>&1)"
    grep -q "^	$id\.desktop\$" <<< "$handlers" || fail "the entry is no registered application for $type"
  done
else
  fail "no $desktop"
fi

# AppStream metainfo.
metainfo="$share/metainfo/$id.metainfo.xml"
if [ -f "$metainfo" ]; then
  out="$(appstreamcli validate --no-net "$metainfo" 2>&1)" || fail "appstreamcli validate: $out"
  launchable="$(xmllint --xpath 'string(/component/launchable[@type="desktop-id"])' "$metainfo")"
  [ -f "$share/applications/$launchable" ] || fail "launchable '$launchable' is not an installed desktop entry"
  [ "$(xmllint --xpath 'string(/component/id)' "$metainfo")" = "$id" ] || fail "metainfo id is not $id"
  [ "$(xmllint --xpath 'string(/component/releases/release[1]/@version)' "$metainfo")" = "$version" ] ||
    fail "newest release in the metainfo is not $version"
else
  fail "no $metainfo"
fi

# MIME type of the project files: the package is well-formed, the install
# rebuilt the database, and content decides between project and other XML.
package="$share/mime/packages/$id.xml"
if [ -f "$package" ]; then
  out="$(xmllint --noout "$package" 2>&1)" || fail "xmllint: $out"
  [ -f "$share/mime/$project_type.xml" ] || fail "the MIME database under the prefix does not know $project_type"
  grep -q " project $project_type\$" "$share/mime/XMLnamespaces" 2>/dev/null ||
    fail "the MIME database has no root-element rule for $project_type"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<project>\n  <name>a.gif</name>\n  <gif>\n    <width>64</width>\n    <height>48</height>\n    <delay_time>10</delay_time>\n  </gif>\n  <images/>\n</project>\n' > "$prefix/demo.xml"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<options>\n  <urls/>\n</options>\n' > "$prefix/other.xml"
  for case in "demo.xml $project_type" "other.xml application/xml"; do
    set -- $case
    got="$(desktop_env gio info -a standard::content-type "$prefix/$1" 2>&1 |
           sed -n 's/^ *standard::content-type: //p')"
    [ "$got" = "$2" ] || fail "$1 is taken for '$got', not $2"
  done
else
  fail "no $package"
fi

# Icons. A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in 16 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ ! -f "$png" ]; then
    fail "no $png"
    continue
  fi
  signature="$(od -An -tx1 -N8 "$png" | tr -d ' \n')"
  dims="$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')"
  [ "$signature" = 89504e470d0a1a0a ] || fail "$png is no PNG"
  [ "$dims" = "${size}x${size}" ] || fail "$png is $dims, not ${size}x${size}"
done
svg="$share/icons/hicolor/scalable/apps/$id.svg"
[ "$(xmllint --xpath 'local-name(/*)' "$svg" 2>/dev/null)" = svg ] || fail "no well-formed $svg"

[ "$failures" -eq 0 ] || exit 1
echo "desktop integration: all checks passed"
