"""Runs every benchmark and writes a markdown summary.

1. The native benchmarks (Google Benchmark): RenderLook on a counting
   canvas, CPU time per paint; the worst cases composed through the direct
   pixel writes against the fill alone; FindPicture on full screens, CPU time
   per search.
2. The Windows paint benchmark under Wine, on a private Xvfb display with
   openbox: first a check that the back buffer's direct pixel writes match
   GDI's, then full paint against the floor (fill and copy), and one resize
   step.
3. Start-up: from process start to the overlay's first completed paint, against
   a minimal Win32 program, both under the same Wine in the same run.
4. Memory: what the whole program commits with one guide and with sixteen
   guides of 800 x 500 on a 7680 x 2160 virtual screen (two 4K monitors'
   worth), read from the Wine process's private writable mappings.

The Xvfb, window-manager and Wine-prefix helpers come from the end-to-end
harness; this script keeps a prefix of its own under the output folder.
"""

import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--native-build", default=os.path.join(ROOT, "build", "native"))
    parser.add_argument("--windows-build", default=os.path.join(ROOT, "build", "windows"))
    parser.add_argument("--out", default=os.path.join(ROOT, "build", "bench"))
    parser.add_argument("--paint-runs", type=int, default=15, help="runs per paint case (median)")
    parser.add_argument("--paint-processes", type=int, default=3,
                        help="processes per paint case, each with its own window and buffers (median ratio)")
    parser.add_argument("--startup-runs", type=int, default=9, help="launches per program (median)")
    parser.add_argument("--native-repetitions", type=int, default=5)
    parser.add_argument("--fit-runs", type=int, default=15, help="fits to a picture (median)")
    parser.add_argument("--follow-seconds", type=float, default=10.0, help="each processor-share measurement")
    parser.add_argument("--only", choices=["native", "paint", "startup", "fit", "follow", "memory"],
                        action="append",
                        help="run only these parts (repeatable)")
    parser.add_argument("--paint-cases", metavar="TEXT", action="append",
                        help="paint only the cases whose 'case size' name holds TEXT (repeatable); "
                             "'resize' selects the resize step")
    return parser.parse_args()


# The harness reads its folders from the environment when it is imported.
def import_harness(out_dir, product_dir):
    os.environ["LUMETRA_E2E_WORK"] = os.path.join(out_dir, "wine")
    os.environ["LUMETRA_PRODUCT_DIR"] = product_dir
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
    import harness  # noqa: E402  (needs the environment above)
    return harness


# -- native -------------------------------------------------------------------

def google_benchmark(build_dir, name, repetitions):
    """The aggregate entries of one native Google Benchmark program."""
    program = os.path.join(build_dir, "bench", name)
    if not os.access(program, os.X_OK):
        raise SystemExit(f"no {program}: build the native preset first")
    result = subprocess.run(
        [program, "--benchmark_format=json", f"--benchmark_repetitions={repetitions}",
         "--benchmark_report_aggregates_only=true", "--benchmark_min_time=0.05"],
        check=True, stdout=subprocess.PIPE, text=True)
    return json.loads(result.stdout)["benchmarks"]


def run_native(build_dir, repetitions):
    rows = {}
    for entry in google_benchmark(build_dir, "lumetra-bench-looks", repetitions):
        if entry.get("aggregate_name") not in ("median", "cv"):
            continue
        _, case, size = entry["run_name"].split("/")
        row = rows.setdefault((case, size), {"case": case, "size": size})
        if entry["aggregate_name"] == "median":
            row["cpu_us"] = entry["cpu_time"]
            row["lines"] = entry.get("lines", 0)
            row["texts"] = entry.get("texts", 0)
            row["ellipses"] = entry.get("ellipses", 0)
        else:
            row["cv"] = entry["cpu_time"]
    return list(rows.values())


def run_writes(build_dir, repetitions):
    """Median CPU µs per compose through the direct writes, by size and case ("floor" among them)."""
    rows = {}
    for entry in google_benchmark(build_dir, "lumetra-bench-writes", repetitions):
        if entry.get("aggregate_name") == "median":
            _, case, size = entry["run_name"].split("/")
            rows[(case, size)] = entry["cpu_time"]
    return rows


def run_finder(build_dir, repetitions):
    rows = []
    for entry in google_benchmark(build_dir, "lumetra-bench-finder", repetitions):
        if entry.get("error_occurred"):
            raise SystemExit(f"{entry['run_name']}: {entry.get('error_message')}")
        if entry.get("aggregate_name") == "median":
            _, case, size = entry["run_name"].split("/")
            rows.append({"case": case, "size": size, "cpu_ms": entry["cpu_time"]})
    return rows


# -- Wine ---------------------------------------------------------------------

class Display:
    """Xvfb with openbox and a warm wineserver, for several programs in a row."""

    def __init__(self, harness, width, height):
        self.harness = harness
        self.server = harness.Xvfb(width, height)
        self.env = harness.wine_env(self.server.name)
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        from Xlib import display as xdisplay
        self.dpy = xdisplay.Display(self.server.name)
        self.root = self.dpy.screen().root
        atom = self.dpy.intern_atom("_NET_SUPPORTING_WM_CHECK")
        harness.deadline_poll("the window manager",
                              lambda: self.root.get_full_property(atom, 0) is not None, timeout=10)
        # A persistent wineserver keeps its start-up out of every figure; one
        # left over from an interrupted run of this prefix goes first.
        harness.stop_wineserver(self.env)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True)
        # A program that crashes ends, instead of waiting behind Wine's
        # crash dialog.
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                        "/t", "REG_DWORD", "/d", "0", "/f"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self):
        try:
            self.harness.stop_wineserver(self.env)
        finally:
            self.dpy.close()
            self.harness.terminate(self.wm)
            self.server.stop()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def pixel(self, x, y):
        from Xlib import X
        image = self.root.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF)
        b, g, r = image.data[0], image.data[1], image.data[2]
        return (r, g, b)


def selected(name, filters):
    return not filters or any(text in name for text in filters)


def run_paint(harness, windows_build, runs, processes, filters):
    """Paint rows (None times for a case the program did not survive) and resize rows
    (None when the filters leave the resize step out). Each case runs in several
    processes: where their memory lands moves one process's medians by a tenth or
    more, so a row is the process with the median ratio; the resize step's too."""
    program = os.path.join(windows_build, "bench", "lumetra-bench-paint.exe")
    lang = os.path.join(windows_build, "Lumetra", "English.lng")
    if not os.path.isfile(program):
        raise SystemExit(f"no {program}: build the windows preset first")
    # Room for the 4K overlay with its borders and caption strip.
    with Display(harness, 4096, 2304) as display:
        def bench(*arguments):
            # A file, not a pipe: Wine's own services inherit the output and
            # would keep a pipe open after the program has ended.
            with tempfile.TemporaryFile("w+") as output:
                process = subprocess.Popen(["wine", program, str(runs), lang, *arguments],
                                           env=display.env, stdout=output, stderr=subprocess.DEVNULL)
                try:
                    status = process.wait(timeout=600)
                except subprocess.TimeoutExpired:
                    process.kill()
                    status = process.wait()
                output.seek(0)
                rows = [line.rstrip("\n").split("\t") for line in output if line.strip()]
            return status, rows

        status, rows = bench("list")
        if status != 0 or len(rows) != 2:
            raise SystemExit(f"{program} list failed")
        sizes, cases = rows[0][1:], rows[1][1:]
        # The back buffer's direct pixel writes against GDI alone: a faster
        # paint that draws other pixels is no faster paint.
        status, rows = bench("check")
        for row in rows:
            print("  " + " ".join(row), flush=True)
        if status != 0:
            raise SystemExit("the back buffer's direct writes differ from GDI's pixels")
        paints = []
        for size, size_name in enumerate(sizes):
            for case, name in enumerate(cases):
                if not selected(f"{name} {size_name}", filters):
                    continue
                row = {"case": name, "size": size_name, "paint": None, "floor": None, "status": 0}
                measured = []
                for _ in range(processes):
                    status, rows = bench("paint", str(size), str(case))
                    if status != 0 or len(rows) != 1 or len(rows[0]) != 5:
                        row["status"] = status
                        break
                    measured.append((float(rows[0][3]), float(rows[0][4])))
                else:
                    measured.sort(key=lambda times: times[0] / times[1])
                    paint, floor = measured[len(measured) // 2]
                    row.update(paint=paint, floor=floor)
                paints.append(row)
                print(f"  {name} {size_name}: {row['paint']} / {row['floor']} ms", flush=True)
        resizes = None  # not asked for
        if selected("resize", filters):
            measured = []
            for _ in range(processes):
                status, rows = bench("resize")
                measured += [{"case": r[1], "size": r[2], "step": float(r[3]), "floor": float(r[4]),
                              "bare": float(r[5])} for r in rows if status == 0 and len(r) == 6]
            measured.sort(key=lambda r: r["step"] / r["floor"])
            resizes = [measured[len(measured) // 2]] if len(measured) == processes else []
    return paints, resizes


# -- start-up -------------------------------------------------------------------

# Both programs open their window at (300, 240), 420 x 285 (the overlay's first
# run). The overlay's last paint step is the orientation mark, 0x808080 in the
# blank button face at client (FW - 59, 7); the minimal window is that grey
# all over.
FIRST_PAINT_PIXEL = (300 + 420 - 59, 240 + 7)
GREY = (128, 128, 128)


def time_launch(display, exe, cwd, timeout=120.0):
    """Seconds from starting exe until the first-paint pixel shows, then ends it."""
    if display.pixel(*FIRST_PAINT_PIXEL) == GREY:
        raise SystemExit("the first-paint pixel is grey before the program started")
    start = time.perf_counter()
    process = subprocess.Popen(["wine", exe], cwd=cwd, env=display.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while display.pixel(*FIRST_PAINT_PIXEL) != GREY:
            if process.poll() is not None:
                raise SystemExit(f"{exe} ended before its first paint")
            if time.perf_counter() - start > timeout:
                raise SystemExit(f"{exe} showed no first paint within {timeout:.0f} s")
            time.sleep(0.001)
        return time.perf_counter() - start
    finally:
        process.kill()
        process.wait()
        display.harness.deadline_poll("the window to go",
                                      lambda: display.pixel(*FIRST_PAINT_PIXEL) != GREY)


def run_startup(harness, windows_build, runs):
    product = os.path.join(windows_build, "Lumetra")
    minimal = os.path.join(windows_build, "bench", "MinimalWindow.exe")
    for path in (os.path.join(product, "Lumetra.exe"), minimal):
        if not os.path.isfile(path):
            raise SystemExit(f"no {path}: build the windows preset first")
    # A portable copy without a settings file: every launch is a first run,
    # and a killed program writes none.
    folder = tempfile.mkdtemp(prefix="lumetra-bench-")
    try:
        shutil.copytree(product, folder, dirs_exist_ok=True)
        programs = {"Lumetra.exe": os.path.join(folder, "Lumetra.exe"), "MinimalWindow.exe": minimal}
        times = {name: [] for name in programs}
        with Display(harness, 1920, 1080) as display:
            for name, exe in programs.items():  # untimed: warms the file cache
                time_launch(display, exe, os.path.dirname(exe))
            for run in range(runs):
                order = list(programs.items())
                if run % 2:
                    order.reverse()
                for name, exe in order:
                    times[name].append(time_launch(display, exe, os.path.dirname(exe)))
        return times
    finally:
        shutil.rmtree(folder, ignore_errors=True)


# -- report ---------------------------------------------------------------------

def verdict(value, limit):
    return "met" if value <= limit else "**missed**"


def native_section(rows):
    lines = ["## RenderLook, native (counting canvas, CPU time per paint)", "",
             "| Case | Size | CPU µs (median) | CV | Lines | Texts | Ellipses |",
             "|---|---|---:|---:|---:|---:|---:|"]
    for row in rows:
        lines.append(f"| {row['case']} | {row['size']} | {row['cpu_us']:.1f} | "
                     f"{row.get('cv', 0.0) * 100:.0f}% | {row['lines']:.0f} | {row['texts']:.0f} | "
                     f"{row['ellipses']:.0f} |")
    worst = max(rows, key=lambda r: r["cpu_us"])
    lines += ["", f"Worst case: {worst['case']} at {worst['size']}, {worst['cpu_us'] / 1000:.3f} ms "
              f"(target under 1 ms: {verdict(worst['cpu_us'], 1000.0)})."]
    return lines


def writes_section(rows):
    lines = ["## Compose through the direct writes, native (CPU µs per paint, median; floor = the fill alone)", "",
             "| Case | Size | Compose | Floor | Ratio |", "|---|---|---:|---:|---:|"]
    for (case, size), cpu in rows.items():
        floor = rows.get(("floor", size))
        if case != "floor" and floor:
            lines.append(f"| {case} | {size} | {cpu:.0f} | {floor:.0f} | {cpu / floor:.2f} |")
    return lines


def finder_section(rows):
    lines = ["## FindPicture, native (CPU time per search, median)", "",
             "| Case | Screen | CPU ms |", "|---|---|---:|"]
    for row in rows:
        lines.append(f"| {row['case']} | {row['size']} | {row['cpu_ms']:.2f} |")
    photos = [r for r in rows if r["size"] == "3840x2160" and r["case"] != "start on the page"]
    if photos:
        worst = max(photos, key=lambda r: r["cpu_ms"])
        lines += ["", f"3840x2160, a photograph on a page: worst {worst['case']} at {worst['cpu_ms']:.2f} ms "
                  f"(target under 30 ms: {verdict(worst['cpu_ms'], 30.0)})."]
    return lines


def paint_section(paints, resizes):
    lines = ["## Full paint under Wine (median ms; floor = fill and copy with nothing drawn; "
             "of each case's processes, the one with the median ratio)", "",
             "| Case | Size | Paint | Floor | Ratio |", "|---|---|---:|---:|---:|"]
    for row in paints:
        if row["paint"] is None:
            lines.append(f"| {row['case']} | {row['size']} | ended, status {row['status']} | | |")
        else:
            lines.append(f"| {row['case']} | {row['size']} | {row['paint']:.3f} | {row['floor']:.3f} | "
                         f"{row['paint'] / row['floor']:.2f} |")

    def ratio(row):
        return row["paint"] / row["floor"] if row["paint"] is not None else float("inf")

    big = [r for r in paints if r["size"] == "3840x2160"]
    spiral = [r for r in big if r["case"] == "look06 ratio 0.998"]
    every = [r for r in big if " " not in r["case"]]  # the looks as shipped
    if every:
        worst = max(every, key=ratio)
        lines += ["", f"3840x2160, every look within 1.5x the floor: worst {worst['case']} at "
                  f"{ratio(worst):.2f}x ({verdict(ratio(worst), 1.5)})."]
    if spiral:
        lines.append(f"3840x2160, look 6 on its 4001-step limit within 2x: {ratio(spiral[0]):.2f}x "
                     f"({verdict(ratio(spiral[0]), 2.0)}).")
    haloed = [r for r in big if r["case"].endswith(" width 3 halo")]
    if haloed:
        worst = max(haloed, key=ratio)
        lines.append(f"3840x2160, every look with width 3 and the halo within 2x: worst {worst['case']} at "
                     f"{ratio(worst):.2f}x ({verdict(ratio(worst), 2.0)}).")
    for size in ("1920x1080", "3840x2160"):
        # The worst cases: the finest grid and the ratios next to 1.
        hardest = [r for r in paints if r["size"] == size and (" grid " in r["case"] or " ratio " in r["case"])]
        if hardest:
            worst = max(hardest, key=ratio)
            lines.append(f"{size}, every worst case within 2x: worst {worst['case']} at {ratio(worst):.2f}x "
                         f"({verdict(ratio(worst), 2.0)}).")
    if resizes is None:
        return lines
    lines += ["", "## One resize step through the overlay window (median ms; bare step = the same resize "
              "of the window and the floor's paint; of its processes, the one with the median ratio)", "",
              "| Case | Size | Step | Floor | Ratio | Bare step | Ratio to the bare step |",
              "|---|---|---:|---:|---:|---:|---:|"]
    for row in resizes:
        step_ratio = row["step"] / row["floor"]
        lines.append(f"| {row['case']} | {row['size']} | {row['step']:.3f} | {row['floor']:.3f} | "
                     f"{step_ratio:.2f} ({verdict(step_ratio, 2.0)}, target 2x) | {row['bare']:.3f} | "
                     f"{row['step'] / row['bare']:.2f} |")
    if not resizes:
        lines.append("| factory look | 1920x1080 | ended | | | | |")
    return lines


def startup_section(times):
    lines = ["## Start-up to the first completed paint (seconds)", "",
             "| Program | Median | Min | Max | Runs |", "|---|---:|---:|---:|---:|"]
    for name, values in times.items():
        lines.append(f"| {name} | {statistics.median(values):.3f} | {min(values):.3f} | "
                     f"{max(values):.3f} | {len(values)} |")
    ratio = statistics.median(times["Lumetra.exe"]) / statistics.median(times["MinimalWindow.exe"])
    lines += ["", f"Ratio of the medians: {ratio:.2f}x (target 1.3x: {verdict(ratio, 1.3)})."]
    return lines


# -- fit to a picture -------------------------------------------------------------

# A photograph on a light page at 1920 x 1080; the guide starts with its centre
# on it.
FIT_PHOTO = ("coffee.jpg", 700, 300, 600, 400)
FIT_START = (650, 280)


def run_fit(harness, windows_build, runs):
    program = os.path.join(windows_build, "bench", "lumetra-bench-fit.exe")
    if not os.path.isfile(program):
        raise SystemExit(f"no {program}: build the windows preset first")
    name, left, top, width, height = FIT_PHOTO
    with Display(harness, 1920, 1080) as display:
        harness.show_scene(display.dpy, (1920, 1080), (230, 230, 230),
                           [(os.path.join(harness.PHOTOS, name), left, top)])
        language = os.path.join(windows_build, "Lumetra", "English.lng")
        result = subprocess.run(["wine", program, str(runs), language, *map(str, FIT_START),
                                 *map(str, (left, top, width, height))],
                                env=display.env, stdout=subprocess.PIPE, text=True, timeout=600)
    # A run where a fit missed still reports its times; the table shows how many landed.
    row = result.stdout.strip().split("\t")
    if len(row) != 7:
        raise SystemExit(f"the fit benchmark failed: {result.stdout!r}")
    return {"fit": float(row[1]), "copy": float(row[2]), "search": float(row[3]), "undo": float(row[4]),
            "exact": row[5], "wrong": int(row[6])}


def fit_section(fit):
    return ["## Fit to a picture under Wine, 1920 x 1080 (ms, medians)", "",
            "| Whole fit | Copy of the monitor | Copy and search | Step back | Exact fits | Wrong fits |",
            "|---:|---:|---:|---:|---:|---:|",
            f"| {fit['fit']:.1f} | {fit['copy']:.1f} | {fit['search']:.1f} | {fit['undo']:.1f} | {fit['exact']} "
            f"| {fit['wrong']} |",
            "", f"Whole fit target 100 ms: {verdict(fit['fit'], 100.0)}."]


# -- following a picture --------------------------------------------------------

# A viewer window of the benchmark shows a test photograph at about 800 x 500
# on a plain page at 1920 x 1080.
FOLLOW_PHOTO = ("chelsea.ppm", 560, 270, 800, 532)
FOLLOW_STEPS = 10


def run_follow(harness, windows_build, seconds):
    program = os.path.join(windows_build, "bench", "lumetra-bench-follow.exe")
    if not os.path.isfile(program):
        raise SystemExit(f"no {program}: build the windows preset first")
    name, left, top, width, height = FOLLOW_PHOTO
    with Display(harness, 1920, 1080) as display:
        harness.show_scene(display.dpy, (1920, 1080), (230, 230, 230), [])
        language = os.path.join(windows_build, "Lumetra", "English.lng")
        result = subprocess.run(["wine", program, language, os.path.join(harness.PHOTOS, name),
                                 *map(str, (left, top, width, height)), str(seconds), str(FOLLOW_STEPS)],
                                env=display.env, stdout=subprocess.PIPE, text=True, timeout=600)
    row = result.stdout.strip().split("\t")
    if len(row) != 13:
        raise SystemExit(f"the follow benchmark failed: {result.stdout!r}")
    return {"still": float(row[1]), "idle": float(row[2]), "panning": float(row[3]),
            "panning_idle": float(row[4]), "step": float(row[5]), "lag": float(row[6]), "exact": row[7],
            "video": float(row[8]), "video_idle": float(row[9]), "mark": float(row[10]),
            "still16": float(row[11]), "idle16": float(row[12])}


def follow_section(f):
    still = f["still"] - f["idle"]
    panning = f["panning"] - f["panning_idle"]
    video = f["video"] - f["video_idle"]
    still16 = f["still16"] - f["idle16"]
    mark = "never changed" if f["mark"] == 0 else f"{f['mark']:.0f} ms"
    return ["## Following a picture under Wine, 1920 x 1080, guide 800 x 532", "",
            "Processor time of the process in percent of one core; following's share is the difference to "
            "the same run with following off (the viewer's own painting is in both).", "",
            "| Still, following | Still, not | Panning, following | Panning, not | One step (ms) "
            "| Lag after a move (ms) | Exact steps |",
            "|---:|---:|---:|---:|---:|---:|---:|",
            f"| {f['still']:.2f} | {f['idle']:.2f} | {f['panning']:.2f} | {f['panning_idle']:.2f} "
            f"| {f['step']:.1f} | {f['lag']:.0f} | {f['exact']} |",
            "", "| Video (a change every 33 ms), following | Video, not | Shortest mark | "
            "Sixteen guides still, following | Sixteen, not |", "|---:|---:|---:|---:|---:|",
            f"| {f['video']:.2f} | {f['video_idle']:.2f} | {mark} | {f['still16']:.2f} | {f['idle16']:.2f} |",
            "", f"Still picture target 1 %: {verdict(still, 1.0)} ({still:.2f} %). "
            f"Panning target 30 %: {verdict(panning, 30.0)} ({panning:.2f} %). "
            f"One step target 50 ms: {verdict(f['step'], 50.0)}. Lag target 250 ms: {verdict(f['lag'], 250.0)}. "
            f"Video target 10 %: {verdict(video, 10.0)} ({video:.2f} %). "
            f"Sixteen guides still target 5 %: {verdict(still16, 5.0)} ({still16:.2f} %). "
            f"The mark changes at most once a second: {verdict(-f['mark'], -1000.0) if f['mark'] else 'met'}."]


# -- memory ------------------------------------------------------------------------

MEMORY_SCREEN = (7680, 2160)
MEMORY_GUIDE = (800, 500)


def committed_bytes(pid):
    """What a Wine process has committed: Wine maps committed pages private
    and writable, and only reserves the rest."""
    total = 0
    with open(f"/proc/{pid}/smaps") as smaps:
        for line in smaps:
            fields = line.split()
            if len(fields) >= 2 and "-" in fields[0] and len(fields[1]) == 4:
                writable_private = fields[1][1] == "w" and fields[1][3] == "p"
            elif fields and fields[0] == "Size:" and writable_private:
                total += int(fields[1]) * 1024
    return total


def program_pid(folder):
    """The Wine process of the Lumetra.exe in folder, by its command line."""
    wanted = os.path.join(folder, "Lumetra.exe").encode()
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/cmdline", "rb") as f:
                if f.read().split(b"\0")[0] == wanted:
                    return int(entry)
        except OSError:
            continue
    return None


def shown_guides(display, harness):
    """The mapped windows named as the guides are (the window manager may
    have put them into frames of its own)."""
    from Xlib import X
    count, pending = 0, [display.root]
    while pending:
        try:
            children = pending.pop().query_tree().children
        except Exception:  # a window went while it was read
            continue
        for child in children:
            pending.append(child)
            try:
                if child.get_wm_name() == harness.TITLE and child.get_attributes().map_state == X.IsViewable:
                    count += 1
            except Exception:
                continue
    return count


def run_memory(harness, windows_build):
    product = os.path.join(windows_build, "Lumetra")
    results = {}
    width, height = MEMORY_GUIDE
    for count in (1, 16):
        folder = tempfile.mkdtemp(prefix="lumetra-bench-")
        try:
            shutil.copytree(product, folder, dirs_exist_ok=True)
            sections = []
            for n in range(count):
                name = "Settings" if n == 0 else f"Guide{n + 1}"
                x, y = 40 + (n % 8) * 950, 40 + (n // 8) * 1000
                sections.append(f"[{name}]\r\nWidth={width}\r\nHeight={height}\r\nLock=0\r\n"
                                f"X={x}\r\nY={y}\r\nSVisible=0\r\n")
            with open(os.path.join(folder, "Lumetra.user.settings"), "w", newline="") as f:
                f.write("".join(sections))
            with Display(harness, *MEMORY_SCREEN) as display:
                process = subprocess.Popen(["wine", os.path.join(folder, "Lumetra.exe")], cwd=folder,
                                           env=display.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                try:
                    harness.deadline_poll(f"{count} guides", lambda: shown_guides(display, harness) == count
                                          and program_pid(folder) is not None, timeout=60)
                    pid = program_pid(folder)
                    # The panel and the tooltips come after the guides: read until two reads agree.
                    readings = [committed_bytes(pid)]

                    def settled():
                        readings.append(committed_bytes(pid))
                        return readings[-1] == readings[-2]
                    harness.deadline_poll("the memory to settle", settled, timeout=30, interval=0.5)
                    results[count] = readings[-1]
                finally:
                    process.kill()
                    process.wait()
        finally:
            shutil.rmtree(folder, ignore_errors=True)
    return results


def memory_section(results):
    mb = {count: value / (1 << 20) for count, value in results.items()}
    return ["## Committed memory under Wine, 7680 x 2160 virtual screen (MB)", "",
            "| One guide | Sixteen guides of 800 x 500 |", "|---:|---:|",
            f"| {mb[1]:.0f} | {mb[16]:.0f} |", "",
            f"Sixteen guides target 150 MB: {verdict(mb[16], 150.0)}."]


def main():
    args = parse_args()
    parts = set(args.only or ["native", "paint", "startup", "fit", "follow", "memory"])
    args.out, args.native_build, args.windows_build = (
        os.path.abspath(path) for path in (args.out, args.native_build, args.windows_build))
    os.makedirs(args.out, exist_ok=True)
    report = ["# Benchmark results", "",
              f"{time.strftime('%Y-%m-%d %H:%M')}, {os.cpu_count()} cores, load average "
              f"{os.getloadavg()[0]:.1f} at the start.", ""]
    if "native" in parts:
        print("native look benchmark ...", flush=True)
        report += native_section(run_native(args.native_build, args.native_repetitions)) + [""]
        print("native direct-writes benchmark ...", flush=True)
        report += writes_section(run_writes(args.native_build, args.native_repetitions)) + [""]
        print("native finder benchmark ...", flush=True)
        report += finder_section(run_finder(args.native_build, args.native_repetitions)) + [""]
    if parts & {"paint", "startup", "fit", "follow", "memory"}:
        harness = import_harness(args.out, os.path.join(args.windows_build, "Lumetra"))
        print("Wine prefix ...", flush=True)
        harness.init_prefix()
        if "paint" in parts:
            print("paint benchmark under Wine ...", flush=True)
            report += paint_section(*run_paint(harness, args.windows_build, args.paint_runs, args.paint_processes,
                                                   args.paint_cases)) + [""]
        if "startup" in parts:
            print("start-up benchmark under Wine ...", flush=True)
            report += startup_section(run_startup(harness, args.windows_build, args.startup_runs)) + [""]
        if "fit" in parts:
            print("fit benchmark under Wine ...", flush=True)
            report += fit_section(run_fit(harness, args.windows_build, args.fit_runs)) + [""]
        if "follow" in parts:
            print("follow benchmark under Wine ...", flush=True)
            report += follow_section(run_follow(harness, args.windows_build, args.follow_seconds)) + [""]
        if "memory" in parts:
            print("memory benchmark under Wine ...", flush=True)
            report += memory_section(run_memory(harness, args.windows_build)) + [""]
    path = os.path.join(args.out, "results.md")
    with open(path, "w") as f:
        f.write("\n".join(report))
    print("\n".join(report))
    print(f"written to {path}")


if __name__ == "__main__":
    main()
