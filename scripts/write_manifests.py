#!/usr/bin/env python3
"""Writes the package managers' manifests for one release, next to its files:

  DIST/winget/  the version, installer and default-locale manifests
  DIST/scoop/lumetra.json

Usage: write_manifests.py DIST VERSION SETUP ZIP RELEASE_URL
(RELEASE_URL: the address of the folder the release files are published in).
scripts/package.sh runs it once the installer and the zip are final, so the
hashes are those of the files users download.
"""
import hashlib
import json
import os
import re
import shutil
import sys

IDENTIFIER = "Velmora.Lumetra"
PUBLISHER = "Velmora"
PRODUCT = "Velmora Lumetra"
HOMEPAGE = "https://www.velmora.com"
LICENSE = "Proprietary"
LOCALE = "en-US"
# The schema the community repository asks new manifests to follow.
WINGET_SCHEMA = "1.12.0"
SHORT_DESCRIPTION = "Proportion guides over the screen: grids, thirds, golden-ratio lines, spirals and crop guides."
DESCRIPTION = (
    "Lays proportion guides over the screen in borderless, always-on-top overlays, so you can judge a "
    "photograph, a painting, a layout or an interface against classic proportions in screen pixels: "
    "nineteen looks and guides of your own, four orientations, a ratio lock with seventeen preset ratios "
    "or one you type, and the measurements shown beside the lines.")
TAGS = ["design", "golden-ratio", "grid", "overlay", "photography", "proportion", "rule-of-thirds"]
# The installer's marker: a copy beside it counts as installed and keeps its
# settings in the user's application data, which outlives Scoop's updates
# (Scoop replaces the program's folder each time).
INSTALLED_MARKER = "Lumetra.installed"


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def scalar(value):
    """A YAML scalar for any text: a JSON string is a YAML double-quoted one."""
    return json.dumps(value, ensure_ascii=False)


def yaml_document(kind, fields):
    """One manifest: the schema comment, then the fields in order, each a
    text, a list of texts, a mapping of texts or a list of such mappings."""
    lines = [f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{WINGET_SCHEMA}.schema.json"]
    for key, value in fields + [("ManifestType", kind), ("ManifestVersion", WINGET_SCHEMA)]:
        if isinstance(value, str):
            lines.append(f"{key}: {scalar(value)}")
            continue
        lines.append(f"{key}:")
        for item in value.items() if isinstance(value, dict) else value:
            if isinstance(item, tuple):
                lines.append(f"  {item[0]}: {scalar(item[1])}")
            elif isinstance(item, dict):
                lines.extend(f"{'  - ' if i == 0 else '    '}{name}: {scalar(text)}"
                             for i, (name, text) in enumerate(item.items()))
            else:
                lines.append(f"  - {scalar(item)}")
    return "\n".join(lines) + "\n"


def winget_manifests(version, setup_url, setup_hash):
    package = [("PackageIdentifier", IDENTIFIER), ("PackageVersion", version)]
    return {
        f"{IDENTIFIER}.yaml": yaml_document("version", package + [("DefaultLocale", LOCALE)]),
        f"{IDENTIFIER}.installer.yaml": yaml_document("installer", package + [
            ("InstallerLocale", LOCALE),
            ("Platform", ["Windows.Desktop"]),
            ("InstallerType", "nullsoft"),
            ("Scope", "machine"),
            ("InstallModes", ["interactive", "silent", "silentWithProgress"]),
            ("InstallerSwitches", {"Silent": "/S", "SilentWithProgress": "/S"}),
            ("UpgradeBehavior", "install"),
            # The setup asks for administrator rights itself.
            ("ElevationRequirement", "elevatesSelf"),
            ("Installers", [{"Architecture": "x64", "InstallerUrl": setup_url,
                             "InstallerSha256": setup_hash.upper()}]),
        ]),
        f"{IDENTIFIER}.locale.{LOCALE}.yaml": yaml_document("defaultLocale", package + [
            ("PackageLocale", LOCALE),
            ("Publisher", PUBLISHER),
            ("PublisherUrl", HOMEPAGE),
            ("PackageName", PRODUCT),
            ("PackageUrl", HOMEPAGE),
            ("License", LICENSE),
            ("ShortDescription", SHORT_DESCRIPTION),
            ("Description", DESCRIPTION),
            ("Moniker", "lumetra"),
            ("Tags", TAGS),
        ]),
    }


def scoop_manifest(version, zip_url, zip_hash):
    return {
        "version": version,
        "description": SHORT_DESCRIPTION,
        "homepage": HOMEPAGE,
        "license": LICENSE,
        # A 64-bit program: Scoop refuses it on 32-bit Windows instead of
        # installing what cannot start.
        "architecture": {"64bit": {"url": zip_url, "hash": zip_hash}},
        "extract_dir": "Lumetra",
        "bin": "Lumetra.exe",
        "shortcuts": [["Lumetra.exe", PRODUCT]],
        "post_install": [f'New-Item -ItemType File -Force -Path "$dir\\{INSTALLED_MARKER}" | Out-Null'],
        "notes": "Settings are kept in %APPDATA%\\Velmora\\Lumetra\\ and stay there across updates.",
    }


def main(argv):
    if len(argv) != 6:
        sys.exit(__doc__)
    dist, version, setup, archive, release_url = argv[1:]
    if not re.fullmatch(r"https?://[^\s\"'<>\\]+", release_url):
        sys.exit(f"write_manifests.py: RELEASE_URL is no web address: {release_url!r}")
    base = release_url.rstrip("/")

    winget = os.path.join(dist, "winget")
    scoop = os.path.join(dist, "scoop")
    for folder in (winget, scoop):
        shutil.rmtree(folder, ignore_errors=True)  # no manifests of an earlier version stay
        os.makedirs(folder)
    for name, text in winget_manifests(version, f"{base}/{os.path.basename(setup)}", sha256(setup)).items():
        with open(os.path.join(winget, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    with open(os.path.join(scoop, "lumetra.json"), "w", encoding="utf-8", newline="\n") as f:
        json.dump(scoop_manifest(version, f"{base}/{os.path.basename(archive)}", sha256(archive)), f, indent=4)
        f.write("\n")


if __name__ == "__main__":
    main(sys.argv)
