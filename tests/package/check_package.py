"""The release as scripts/package.sh makes it from the built product folder.

  check_package.py signed     signed with a throwaway certificate: every
                              executable verifies against it, the checksums
                              and manifests agree with the files, no shipped
                              program carries its symbols, the symbol file
                              belongs to the program
  check_package.py unsigned   without a certificate: the same files, unsigned,
                              and said so; half a signing set-up is refused

Needs the product folder of the Windows build (LUMETRA_PRODUCT_DIR) and the
version it was built as (LUMETRA_VERSION); ctest passes both.
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile
import zlib

import yaml

SOURCE_DIR = os.environ.get("LUMETRA_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
PRODUCT_DIR = os.environ.get("LUMETRA_PRODUCT_DIR", os.path.join(SOURCE_DIR, "build", "windows", "Lumetra"))
VERSION = os.environ.get("LUMETRA_VERSION", "")
RELEASE_URL = "https://downloads.example.test/lumetra/v1"
PASSWORD = "throwaway password"
OBJDUMP = "x86_64-w64-mingw32-objdump"
OBJCOPY = "x86_64-w64-mingw32-objcopy"

# What each winget manifest must hold, by its schema's required list.
WINGET_REQUIRED = {
    "Velmora.Lumetra.yaml": ("version", ["PackageIdentifier", "PackageVersion", "DefaultLocale"]),
    "Velmora.Lumetra.installer.yaml": ("installer", ["PackageIdentifier", "PackageVersion", "Installers"]),
    "Velmora.Lumetra.locale.en-US.yaml": ("defaultLocale", ["PackageIdentifier", "PackageVersion", "PackageLocale",
                                                            "Publisher", "PackageName", "License",
                                                            "ShortDescription"]),
}
# Scoop's schema admits no other top-level keys.
SCOOP_KEYS = {"##", "_comment", "architecture", "autoupdate", "bin", "persist", "checkver", "cookie", "depends",
              "description", "env_add_path", "env_set", "extract_dir", "extract_to", "hash", "homepage",
              "innosetup", "installer", "license", "msi", "notes", "post_install", "pre_install", "psmodule",
              "shortcuts", "suggest", "uninstaller", "url", "version"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(*command, env=None, cwd=None):
    return subprocess.run(command, env=env, cwd=cwd, capture_output=True, text=True, timeout=120, check=False)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def package(dist, **env):
    """Runs the packaging script; returns its result."""
    full_env = {k: v for k, v in os.environ.items() if not k.startswith(("SIGN_", "RELEASE_URL"))}
    full_env.update(env)
    return run("bash", os.path.join(SOURCE_DIR, "scripts", "package.sh"), PRODUCT_DIR, dist, env=full_env)


def release_files(dist):
    return {kind: os.path.join(dist, name) for kind, name in (
        ("zip", f"Lumetra-{VERSION}-portable.zip"), ("setup", f"Lumetra-{VERSION}-setup.exe"),
        ("debug", f"Lumetra-{VERSION}.debug"))}


def make_certificate(folder, name):
    """A self-signed code-signing certificate: its PEM and a PKCS#12 with its key."""
    key, cert, bundle = (os.path.join(folder, f"{name}.{ext}") for ext in ("key", "pem", "p12"))
    made = run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
               "-days", "2", "-subj", f"/CN={name}", "-addext", "extendedKeyUsage=codeSigning",
               "-addext", "keyUsage=digitalSignature")
    assert made.returncode == 0, made.stderr
    made = run("openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", bundle,
               "-passout", f"pass:{PASSWORD}")
    assert made.returncode == 0, made.stderr
    return cert, bundle


def shipped_programs(dist, files, folder):
    """The executables users get: from the zip, and from inside the installer."""
    with zipfile.ZipFile(files["zip"]) as archive:
        archive.extract("Lumetra/Lumetra.exe", os.path.join(folder, "zip"))
    unpacked = os.path.join(folder, "setup")
    done = run("7z", "x", f"-o{unpacked}", "-y", files["setup"], "Lumetra.exe", "Uninstall.exe")
    check(done.returncode == 0, f"7z could not unpack the installer: {done.stdout[-400:]}")
    return {
        "the program in the zip": os.path.join(folder, "zip", "Lumetra", "Lumetra.exe"),
        "the program in the installer": os.path.join(unpacked, "Lumetra.exe"),
        "the uninstaller in the installer": os.path.join(unpacked, "Uninstall.exe"),
        "the installer": files["setup"],
    }


def verify(path, cert):
    return run("osslsigncode", "verify", "-CAfile", cert, "-in", path)


def check_signatures(programs, cert, other_cert):
    for what, path in programs.items():
        if not check(os.path.isfile(path), f"{what} is missing"):
            continue
        done = verify(path, cert)
        check(done.returncode == 0, f"{what} does not verify against the signing certificate: {done.stdout[-300:]}")
        check(re.search(r"digest algorithm\s*:\s*SHA256", done.stdout, re.I),
              f"{what} is not signed with SHA-256: {done.stdout[:300]}")
        # Verification means something only if another certificate fails it.
        check(verify(path, other_cert).returncode != 0, f"{what} verifies against an unrelated certificate")


def check_checksums(dist, files):
    with open(os.path.join(dist, "SHA256SUMS"), encoding="ascii") as f:
        listed = dict(reversed(re.fullmatch(r"([0-9a-f]{64}) [ *](\S+)", line).groups()) for line in f.read().splitlines())
    expected = {os.path.basename(path): sha256(path) for path in files.values()}
    check(listed == expected, f"SHA256SUMS lists {listed}, the files are {expected}")


def check_winget(dist, files):
    folder = os.path.join(dist, "winget")
    check(sorted(os.listdir(folder)) == sorted(WINGET_REQUIRED), f"winget manifests: {os.listdir(folder)}")
    versions = set()
    for name, (kind, required) in WINGET_REQUIRED.items():
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            manifest = yaml.safe_load(f)
        missing = [key for key in required if not manifest.get(key)]
        check(not missing, f"{name} lacks {missing}")
        check(manifest.get("ManifestType") == kind, f"{name} is of type {manifest.get('ManifestType')!r}")
        check(manifest.get("PackageIdentifier") == "Velmora.Lumetra" and manifest.get("PackageVersion") == VERSION,
              f"{name} names {manifest.get('PackageIdentifier')!r} {manifest.get('PackageVersion')!r}")
        versions.add(manifest.get("ManifestVersion"))
        if kind == "installer":
            installers = manifest.get("Installers") or [{}]
            entry = installers[0]
            check(len(installers) == 1 and entry.get("Architecture") == "x64", f"installers: {installers}")
            check(entry.get("InstallerUrl") == f"{RELEASE_URL}/{os.path.basename(files['setup'])}",
                  f"installer address {entry.get('InstallerUrl')!r}")
            check(str(entry.get("InstallerSha256", "")).lower() == sha256(files["setup"]),
                  "the installer manifest's SHA-256 is not the installer's")
            check(manifest.get("InstallerSwitches", {}).get("Silent") == "/S", "no silent switch /S")
    check(len(versions) == 1 and re.fullmatch(r"\d+\.\d+\.\d+", str(next(iter(versions)))),
          f"winget manifest versions: {versions}")


def check_scoop(dist, files):
    with open(os.path.join(dist, "scoop", "lumetra.json"), encoding="utf-8") as f:
        manifest = json.load(f)
    check(set(manifest) <= SCOOP_KEYS, f"keys Scoop does not know: {set(manifest) - SCOOP_KEYS}")
    check(manifest.get("version") == VERSION, f"Scoop version {manifest.get('version')!r}")
    download = manifest.get("architecture", {}).get("64bit", {})
    check(download.get("url") == f"{RELEASE_URL}/{os.path.basename(files['zip'])}", f"Scoop address {download}")
    check(download.get("hash") == sha256(files["zip"]), "the Scoop manifest's hash is not the zip's")
    with zipfile.ZipFile(files["zip"]) as archive:
        names = set(archive.namelist())
    inside = f"{manifest.get('extract_dir')}/{manifest.get('bin')}"
    check(inside in names, f"Scoop's program {inside} is not in the zip")
    check(manifest.get("shortcuts", [[None]])[0][0] == manifest.get("bin"), f"shortcuts {manifest.get('shortcuts')}")
    check(any("Lumetra.installed" in step for step in manifest.get("post_install", [])),
          "Scoop's copy does not get the installed marker")
    check("persist" not in manifest, "Scoop persists the settings file, which the atomic save would break")


def sections(path):
    listing = run(OBJDUMP, "-h", path).stdout
    return {m.group(1): (int(m.group(2), 16), int(m.group(3), 16))
            for m in re.finditer(r"^\s*\d+\s+(\S+)\s+([0-9a-f]+)\s+([0-9a-f]+)", listing, re.M)}


def has_symbols(path):
    table = run(OBJDUMP, "-t", path)
    return "no symbols" not in table.stdout + table.stderr


def check_symbols(programs, files, folder):
    debug = files["debug"]
    debug_sections = sections(debug)
    check(any(name.startswith(".debug_") for name in debug_sections) and has_symbols(debug),
          "the symbol file holds no debug sections or no symbol table")
    crc = zlib.crc32(open(debug, "rb").read())
    for what in ("the program in the zip", "the program in the installer"):
        program = programs[what]
        shipped = sections(program)
        check(not any(name.startswith(".debug_") for name in shipped) and not has_symbols(program),
              f"{what} carries debug information")
        link = os.path.join(folder, "debuglink")
        run(OBJCOPY, f"--dump-section=.gnu_debuglink={link}", program, os.path.join(folder, "copy.exe"))
        data = open(link, "rb").read() if os.path.exists(link) else b""
        name = data.split(b"\0", 1)[0].decode("ascii", "replace")
        check(name == os.path.basename(debug), f"{what} links to {name!r}")
        check(len(data) >= 4 and int.from_bytes(data[-4:], "little") == crc,
              f"{what}'s link checksum does not match the symbol file")
        # The symbols describe this program: its code lies where theirs does.
        check(shipped.get(".text") == debug_sections.get(".text"),
              f"{what}'s code {shipped.get('.text')} is not the symbol file's {debug_sections.get('.text')}")


def signed():
    product_program = os.path.join(PRODUCT_DIR, "Lumetra.exe")
    before = sha256(product_program)
    with tempfile.TemporaryDirectory(prefix="lumetra-package-") as folder:
        cert, bundle = make_certificate(folder, "Lumetra Test Signing")
        other_cert, _ = make_certificate(folder, "Someone Else")
        dist = os.path.join(folder, "dist")
        done = package(dist, SIGN_PKCS12=bundle, SIGN_PASSWORD=PASSWORD, RELEASE_URL=RELEASE_URL)
        if not check(done.returncode == 0, f"package.sh failed: {done.stderr[-600:]}"):
            return
        check("Not signed" not in done.stdout, "a signed release says it is not signed")
        files = release_files(dist)
        programs = shipped_programs(dist, files, folder)
        check_signatures(programs, cert, other_cert)
        check_checksums(dist, files)
        check_winget(dist, files)
        check_scoop(dist, files)
        check_symbols(programs, files, folder)
    check(sha256(product_program) == before, "packaging changed the product folder's program")


def unsigned():
    with tempfile.TemporaryDirectory(prefix="lumetra-package-") as folder:
        cert, bundle = make_certificate(folder, "Lumetra Test Signing")
        dist = os.path.join(folder, "dist")
        done = package(dist)
        if not check(done.returncode == 0, f"package.sh failed: {done.stderr[-600:]}"):
            return
        check("Not signed" in done.stdout, f"an unsigned release does not say so: {done.stdout}")
        files = release_files(dist)
        for path in [*files.values(), os.path.join(dist, "SHA256SUMS"), os.path.join(dist, "scoop", "lumetra.json"),
                     *(os.path.join(dist, "winget", name) for name in WINGET_REQUIRED)]:
            check(os.path.isfile(path), f"an unsigned run wrote no {os.path.relpath(path, dist)}")
        check(verify(files["setup"], cert).returncode != 0, "the unsigned installer verifies")
        check_checksums(dist, files)

        # Set-ups that must stop before anything ships.
        for what, env in (("a certificate without its password", {"SIGN_PKCS12": bundle}),
                          ("a password without a certificate", {"SIGN_PASSWORD": PASSWORD}),
                          ("a certificate that is not there", {"SIGN_PKCS12": bundle + ".gone", "SIGN_PASSWORD": PASSWORD}),
                          ("the wrong password", {"SIGN_PKCS12": bundle, "SIGN_PASSWORD": "wrong"}),
                          ("a download address that is none", {"RELEASE_URL": "not an address"})):
            refused = os.path.join(folder, "refused")
            done = package(refused, **env)
            check(done.returncode != 0, f"package.sh went on with {what}")
            check(not os.path.exists(os.path.join(refused, "SHA256SUMS")), f"{what} left a release behind")


def main():
    if len(sys.argv) != 2 or sys.argv[1] not in ("signed", "unsigned"):
        sys.exit(__doc__)
    if not VERSION:
        sys.exit("LUMETRA_VERSION is not set: run the check through ctest")
    {"signed": signed, "unsigned": unsigned}[sys.argv[1]]()
    for failure in failures:
        print(f"FAIL: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
