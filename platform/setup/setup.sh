#!/bin/sh
# Setup: installs a game from a game disk made by Velmora Studio.
#
#   Setup.exe [install folder]
#
# The game disk folder holds this program, "Setup.ini" (section [Setup]: ProjectName,
# GameTitle, DiskNumber) and the game's LHA archive: "<ProjectName>.lzh" when DiskNumber
# is 0, else the pieces "<ProjectName>.001" .. "<ProjectName>.<DiskNumber>" (copied from
# their disks into this one folder), which are joined first. The game goes into the
# install folder, by default "$HOME/<ProjectName>", and is extracted with Debian's
# `lhasa` (or with the command named by VELMORA_SETUP_LHA, which must take the same
# arguments). Exit status 0 on success; 1 with a message on any failure.
set -eu

fail() {
  echo "Setup: $*" >&2
  exit 1
}

here=$(cd "$(dirname "$0")" && pwd)
ini="$here/Setup.ini"
[ -r "$ini" ] || fail "Setup.ini is missing beside the setup program."

# The value of Key in section [Setup]: names without regard to case, blanks around the
# value and a Windows line end removed.
ini_value() {
  awk -v key="$1" '
    BEGIN { key = tolower(key) }
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { s = tolower($0); gsub(/[ \t]/, "", s); insection = (s == "[setup]"); next }
    insection && index($0, "=") > 0 {
      k = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
      if (tolower(k) == key) {
        v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit
      }
    }' "$ini"
}

name=$(ini_value ProjectName)
title=$(ini_value GameTitle)
disks=$(ini_value DiskNumber)
[ -n "$title" ] || title=$name
[ -n "$disks" ] || disks=0

# The project name becomes a folder name: one plain path component only.
case "$name" in
  "" | . | .. | */* ) fail "Setup.ini names no valid project (ProjectName=$name)." ;;
esac
case "$disks" in
  *[!0-9]* ) fail "Setup.ini has an invalid DiskNumber ($disks)." ;;
esac

lha=${VELMORA_SETUP_LHA:-lhasa}
command -v "$lha" >/dev/null 2>&1 ||
  fail "the LHA extractor '$lha' is not installed (Debian package lhasa)."

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-setup.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ "$disks" -eq 0 ]; then
  archive="$here/$name.lzh"
  [ -r "$archive" ] || fail "the archive $name.lzh is missing."
else
  archive="$work/$name.lzh"
  : > "$archive"
  i=1
  while [ "$i" -le "$disks" ]; do
    piece=$(printf '%s/%s.%03d' "$here" "$name" "$i")
    [ -r "$piece" ] || fail "the piece $(basename "$piece") is missing."
    cat "$piece" >> "$archive"
    i=$((i + 1))
  done
fi

target=${1:-${HOME:?}/$name}
mkdir -p "$target" || fail "the folder $target cannot be made."
"$lha" t "$archive" >/dev/null 2>&1 || fail "the archive is damaged."
# Extract into a private folder first, so a damaged archive leaves the target untouched.
mkdir "$work/game"
"$lha" "xfw=$work/game" "$archive" >/dev/null 2>&1 || fail "the archive cannot be extracted."
# Ordinary modes, whatever the archive or the extractor kept: folders and the game
# program 0755, every other file 0644; the copy keeps them.
find "$work/game" -type d -exec chmod 0755 {} + || fail "the game cannot be prepared."
find "$work/game" -type f -exec chmod 0644 {} + || fail "the game cannot be prepared."
[ ! -f "$work/game/KOVAX.exe" ] || chmod 0755 "$work/game/KOVAX.exe"
cp -Rp "$work/game/." "$target/" || fail "the game cannot be copied into $target."
echo "Setup: $title was installed in $target"
