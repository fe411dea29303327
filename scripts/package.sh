#!/usr/bin/env bash
# Packs the built product folder into the release artefacts:
#   <dist>/Lumetra-<version>-portable.zip   the Lumetra folder, run from anywhere
#   <dist>/Lumetra-<version>-setup.exe      the 64-bit installer
# Usage: scripts/package.sh [PRODUCT_DIR [DIST_DIR]]
# (defaults: build/windows/Lumetra, built by scripts/build.sh, and build/dist).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
product="${1:-$root/build/windows/Lumetra}"
dist="${2:-$root/build/dist}"

fail() { echo "package.sh: $*" >&2; exit 1; }

[[ -f "$product/Lumetra.exe" ]] || fail "no Lumetra.exe in $product: build the windows preset first"
# The version of the build that made the program (the CMake project's).
version_file="$product/../res/version.txt"
[[ -f "$version_file" ]] || fail "no $version_file: build the windows preset first"
version="$(<"$version_file")"
[[ "$version" =~ ^[0-9]+(\.[0-9]+)*$ ]] || fail "no version in $version_file"
[[ -f "$product/English.lng" ]] || fail "no English.lng in $product"
[[ -f "$product/Manual/index.html" ]] || fail "no Manual/index.html in $product"
[[ -f "$product/Manual/looks/look13.svg" ]] || fail "no look pictures in $product/Manual/looks: build all targets of the windows preset"
command -v zip >/dev/null || fail "zip is missing (scripts/install-deps.sh installs it)"
command -v makensis >/dev/null || fail "makensis is missing (scripts/install-deps.sh installs it)"

mkdir -p "$dist"
dist="$(cd "$dist" && pwd)"
work="$dist/work"
stage="$work/Lumetra"
rm -rf "$work"
mkdir -p "$stage"

# What ships: the program, its languages, its manual and the example guides.
# Anything else in the product folder (a settings file left by a test run,
# developer tools, guide files a tester added) stays.
cp "$product/Lumetra.exe" "$product"/*.lng "$stage/"
cp -R "$product/Manual" "$stage/Manual"
mkdir -p "$stage/Guides"
cp "$root"/guides/*.guide "$stage/Guides/"

# Files in a fixed order and with one time stamp, so that the same build
# packs to the same bytes.
stamp="$(git -C "$root" log -1 --format=%cd --date=format:%Y%m%d%H%M.%S 2>/dev/null || date +%Y%m%d%H%M.%S)"
find "$stage" -exec touch -h -t "$stamp" {} +

zipfile="$dist/Lumetra-$version-portable.zip"
rm -f "$zipfile"
(cd "$work" && find Lumetra | LC_ALL=C sort | zip -q -X -9 "$zipfile" -@)

# The installer's file lists: every staged file in, the same files out, and
# the folders (deepest first) once they are empty.
nsis_path() { printf '%s' "${1//\//\\}"; }
files="$work/files.nsh"
unfiles="$work/unfiles.nsh"
: >"$files"
: >"$unfiles"
while IFS= read -r dir; do
  rel="${dir#"$stage"}"
  rel="${rel#/}"
  printf 'SetOutPath "$INSTDIR%s"\n' "${rel:+\\$(nsis_path "$rel")}" >>"$files"
  while IFS= read -r file; do
    name="${file##*/}"
    [[ "$file" != *['"$`']* ]] || fail "file name unfit for the installer: $file"
    printf 'File "%s"\n' "$file" >>"$files"
    printf 'Delete "$INSTDIR\\%s"\n' "$(nsis_path "${rel:+$rel/}$name")" >>"$unfiles"
  done < <(find "$dir" -maxdepth 1 -type f | LC_ALL=C sort)
done < <(find "$stage" -type d | LC_ALL=C sort)
while IFS= read -r dir; do
  printf 'RMDir "$INSTDIR\\%s"\n' "$(nsis_path "${dir#"$stage"/}")" >>"$unfiles"
done < <(find "$stage" -mindepth 1 -type d | LC_ALL=C sort -r)

size_kb="$(du -sk "$stage" | cut -f1)"
setup="$dist/Lumetra-$version-setup.exe"
icon_args=()
icon="$product/../res/icons/MAINICON.ico"
[[ -f "$icon" ]] && icon_args=(-DICON="$(cd "$(dirname "$icon")" && pwd)/MAINICON.ico")
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DOUTFILE="$setup" -DFILES="$files" -DUNFILES="$unfiles" -DSIZE_KB="$size_kb" \
  "${icon_args[@]}" "$root/installer/Lumetra.nsi" >/dev/null

rm -rf "$work"
for artefact in "$zipfile" "$setup"; do
  printf '%s\t%s bytes\n' "$artefact" "$(stat -c %s "$artefact")"
done
