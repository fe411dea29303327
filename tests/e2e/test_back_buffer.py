"""The overlay's back buffer writes lines and fills straight into its pixels;
these scenarios check, under the real GDI, that it draws exactly what GDI
alone draws.

The paint benchmark program, built beside the product folder, composes every
look at three sizes, in every orientation, with and without values (and in a
palette-relative line colour) twice, and compares the two pictures pixel for
pixel. It exits 1 and names the first differing pixel of each picture that
differs.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from harness import PRODUCT_DIR, Xvfb, expect, main, scenario, stop_wineserver, wine_env  # noqa: E402

CHECK_PROGRAM = os.path.join(PRODUCT_DIR, os.pardir, "bench", "lumetra-bench-paint.exe")


def run_check():
    """The check's exit status and its output lines."""
    expect(os.path.isfile(CHECK_PROGRAM), f"no {CHECK_PROGRAM}: build the windows preset first")
    # Room for the largest composition's window.
    server = Xvfb(4096, 2304)
    env = wine_env(server.name)
    try:
        # A file, not a pipe: Wine's services inherit the output and would
        # keep a pipe open after the program has ended.
        with tempfile.TemporaryFile("w+") as output:
            process = subprocess.Popen(
                ["wine", CHECK_PROGRAM, "1", os.path.join(PRODUCT_DIR, "English.lng"), "check"],
                env=env, stdout=output, stderr=subprocess.DEVNULL)
            try:
                status = process.wait(timeout=270)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
                raise
            output.seek(0)
            return status, [line.rstrip("\n") for line in output if line.strip()]
    finally:
        stop_wineserver(env)
        server.stop()


@scenario
def direct_writes_match_gdi():
    status, lines = run_check()
    summary = [line for line in lines if line.startswith("check\t")]
    expect(len(summary) == 1, f"no summary from the check: {lines[-5:]}")
    expect(status == 0 and summary[0].endswith("\t0 differ"),
           "direct writes differ from GDI:\n" + "\n".join(lines[:20]))
    compared = int(summary[0].split("\t")[1].split()[0])
    expect(compared >= 600, f"only {compared} compositions were compared")


if __name__ == "__main__":
    sys.exit(main())
