#!/usr/bin/env bash
# Packs the built product folder into the release artefacts:
#   <dist>/Lumetra-<version>-portable.zip   the Lumetra folder, run from anywhere
#   <dist>/Lumetra-<version>-setup.exe      the 64-bit installer
#   <dist>/Lumetra-<version>.debug          the program's symbols, which the
#                                           shipped program leaves out
#   <dist>/SHA256SUMS                       the three files' checksums
#   <dist>/winget/, <dist>/scoop/           package managers' manifests
# Usage: scripts/package.sh [PRODUCT_DIR [DIST_DIR]]
# (defaults: build/windows/Lumetra, built by scripts/build.sh, and build/dist).
# The product folder stays as it is: its program keeps its symbols.
#
# Environment:
#   SIGN_PKCS12, SIGN_PASSWORD  a code-signing certificate with its key
#                               (PKCS#12) and its password: the program, the
#                               uninstaller and the installer are signed
#                               (Authenticode, SHA-256); without them the
#                               release is unsigned, and says so
#   SIGN_TIMESTAMP_URL          an RFC 3161 time-stamping service, so the
#                               signatures outlive the certificate
#   RELEASE_URL                 the web folder the release files are published
#                               in, written into the manifests
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
objcopy=x86_64-w64-mingw32-objcopy
command -v "$objcopy" >/dev/null || fail "$objcopy is missing (scripts/install-deps.sh installs it)"

# Half a signing set-up is a mistake, not a wish for an unsigned release.
signer=()
if [[ -n "${SIGN_PKCS12:-}" ]]; then
  [[ -n "${SIGN_PASSWORD+set}" ]] || fail "SIGN_PKCS12 is set, SIGN_PASSWORD is not"
  [[ -f "$SIGN_PKCS12" ]] || fail "SIGN_PKCS12 names no file: $SIGN_PKCS12"
  command -v osslsigncode >/dev/null || fail "osslsigncode is missing (scripts/install-deps.sh installs it)"
  signer=("$root/scripts/sign.sh")
elif [[ -n "${SIGN_PASSWORD+set}" ]]; then
  fail "SIGN_PASSWORD is set, SIGN_PKCS12 is not"
fi
# A placeholder until the release has a home; .invalid is never a real host.
release_url="${RELEASE_URL:-https://releases.velmora.invalid/lumetra/$version}"
[[ "$release_url" =~ ^https?://[^[:space:]\"\'\<\>\\]+$ ]] || fail "RELEASE_URL is no web address: $release_url"

mkdir -p "$dist"
dist="$(cd "$dist" && pwd)"
work="$dist/work"
stage="$work/Lumetra"
rm -rf "$work"
trap 'rm -rf "$work"' EXIT
mkdir -p "$stage"

# What ships: the program, its languages, its manual and the example guides.
# Anything else in the product folder (a settings file left by a test run,
# developer tools, guide files a tester added) stays.
cp "$product"/*.lng "$stage/"
cp -R "$product/Manual" "$stage/Manual"
mkdir -p "$stage/Guides"
cp "$root"/guides/*.guide "$stage/Guides/"

# The program without its symbols, which go into a file of their own beside
# the release, linked by name and checksum, so that a crash address can still
# be read (x86_64-w64-mingw32-nm -C -n on it).
debug="$dist/Lumetra-$version.debug"
"$objcopy" --only-keep-debug "$product/Lumetra.exe" "$debug"
chmod 644 "$debug"
"$objcopy" --strip-all --add-gnu-debuglink="$debug" "$product/Lumetra.exe" "$stage/Lumetra.exe"
((${#signer[@]} == 0)) || "${signer[@]}" "$stage/Lumetra.exe"

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
# makensis signs the uninstaller before it packs it, and the installer last.
sign_args=()
((${#signer[@]} == 0)) || sign_args=(-DSIGNER="${signer[0]}")
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DOUTFILE="$setup" -DFILES="$files" -DUNFILES="$unfiles" -DSIZE_KB="$size_kb" \
  "${icon_args[@]}" "${sign_args[@]}" "$root/installer/Lumetra.nsi" >/dev/null

python3 "$root/scripts/write_manifests.py" "$dist" "$version" "$setup" "$zipfile" "$release_url"
(cd "$dist" && sha256sum "${zipfile##*/}" "${setup##*/}" "${debug##*/}" >SHA256SUMS)

for artefact in "$zipfile" "$setup" "$debug"; do
  printf '%s\t%s bytes\n' "$artefact" "$(stat -c %s "$artefact")"
done
if ((${#signer[@]} == 0)); then
  echo "Not signed: set SIGN_PKCS12 and SIGN_PASSWORD to sign the program, the uninstaller and the installer."
fi
[[ -n "${RELEASE_URL:-}" ]] || echo "The manifests name the placeholder address $release_url: set RELEASE_URL for a release."
