"""The overlay's back buffer writes lines and fills straight into its pixels;
these scenarios check, under the real GDI, that it draws exactly what GDI
alone draws.

The paint benchmark program, built beside the product folder, composes every
look at three sizes, in every orientation, with and without values (and in a
palette-relative line colour) twice, and compares the two pictures pixel for
pixel. It exits 1 and names the first differing pixel of each picture that
differs. Two processes share the compositions between them.
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(__file__))
from harness import PRODUCT_DIR, Xvfb, expect, main, scenario, stop_wineserver, wine_env  # noqa: E402

CHECK_PROGRAM = os.path.join(PRODUCT_DIR, os.pardir, "bench", "lumetra-bench-paint.exe")

# The check's compositions shared between this many processes at once: the
# machine's cores, as the comparisons are independent of each other.
PARTS = 2


def run_check():
    """Each part's exit status, and the output lines of all parts."""
    expect(os.path.isfile(CHECK_PROGRAM), f"no {CHECK_PROGRAM}: build the windows preset first")
    # Room for the largest composition's window.
    server = Xvfb(4096, 2304)
    env = wine_env(server.name)
    processes = []
    # Files, not pipes: Wine's services inherit the output and would keep a
    # pipe open after the program has ended.
    outputs = [tempfile.TemporaryFile("w+") for _ in range(PARTS)]
    try:
        for part, output in enumerate(outputs):
            processes.append(subprocess.Popen(
                ["wine", CHECK_PROGRAM, "1", os.path.join(PRODUCT_DIR, "English.lng"), "check",
                 str(part), str(PARTS)],
                env=env, stdout=output, stderr=subprocess.DEVNULL))
        deadline = time.monotonic() + 270
        statuses = [process.wait(timeout=max(0.0, deadline - time.monotonic())) for process in processes]
        lines = []
        for output in outputs:
            output.seek(0)
            lines += [line.rstrip("\n") for line in output if line.strip()]
        return statuses, lines
    finally:
        for process in processes:
            if process.poll() is None:
                process.kill()
                process.wait()
        for output in outputs:
            output.close()
        stop_wineserver(env)
        server.stop()


@scenario
def direct_writes_match_gdi():
    statuses, lines = run_check()
    summaries = [line for line in lines if line.startswith("check\t")]
    expect(len(summaries) == PARTS, f"not a summary from each part of the check: {lines[-5:]}")
    expect(statuses == [0] * PARTS and all(summary.endswith("\t0 differ") for summary in summaries),
           "direct writes differ from GDI:\n" + "\n".join(lines[:20]))
    compared = sum(int(summary.split("\t")[1].split()[0]) for summary in summaries)
    expect(compared >= 600, f"only {compared} compositions were compared")


if __name__ == "__main__":
    sys.exit(main())
