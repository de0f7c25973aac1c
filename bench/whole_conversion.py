#!/usr/bin/env python3
"""Whole-conversion benchmark: the command line converting a large boring, measured side by side
with the iconv round trip of the same bytes (CP932 -> UTF-8 -> CP932) and with cat of them.

    bench/whole_conversion.py --program build-bench/src/cli/qe2m4 [--records 30000] [--runs 7]

Each run times the three commands one after the other, each writing its output into the same
temporary folder (the same disk); the figures are the medians over the runs, so that the load
of other processes on the machine falls on all three alike. Also printed: the conversion's peak
memory (the largest resident set of the process) against the bound of twice the largest input
file plus 10 MB. With --windows-program, each run also times the Windows build (qe2m4.exe)
converting the same boring under Wine (`make bench-windows`).
"""

import argparse
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from boring_generator import input_files, make_boring  # noqa: E402

MB = 1024 * 1024


def timed(command, stdout):
    """Runs a command; returns its wall time in seconds."""
    start = time.perf_counter()
    result = subprocess.run(command, stdout=stdout, stderr=subprocess.PIPE, check=False)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit(f"{command[0]} failed ({result.returncode}): "
                 f"{result.stderr.decode(errors='replace')}")
    return elapsed


def peak_memory(command):
    """The command's peak resident set in bytes, as GNU time reports it. (A child's own
    rusage would count the memory of this script, which it shares until it starts the
    program.)"""
    with tempfile.NamedTemporaryFile() as report:
        subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return int(Path(report.name).read_text().split()[-1]) * 1024


def windows_path(path):
    """The Windows path under which Wine shows a folder of this machine (its root is Z:)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def windows_convert(program, source, destination):
    """The command that converts the boring with the Windows build under Wine."""
    wine_run = Path(__file__).resolve().parent.parent / "scripts" / "wine-run.sh"
    return [str(wine_run), str(Path(program).resolve()), "convert",
            "--drive", f"S={windows_path(source)}", "--drive", f"D={windows_path(destination)}",
            "--system-dir", windows_path(source), "--yes", "--quiet", "S:\\BORING", "D:\\OUT"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the qe2m4 command line to measure")
    parser.add_argument("--records", type=int, default=30000, help="records in every X file")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--work", help="folder for the boring and the outputs "
                        "(default: a new temporary folder, removed afterwards)")
    parser.add_argument("--reuse", action="store_true",
                        help="keep the boring already generated in --work for this many records")
    parser.add_argument("--windows-program",
                        help="also time this Windows build (qe2m4.exe) converting the same boring "
                        "under Wine, through scripts/wine-run.sh")
    args = parser.parse_args()

    work = Path(args.work) if args.work else Path(tempfile.mkdtemp(prefix="qe2m4-bench-"))
    try:
        source = work / "source"
        stamp = work / "records"
        if not (args.reuse and stamp.exists() and stamp.read_text() == str(args.records)):
            shutil.rmtree(source, ignore_errors=True)
            stamp.unlink(missing_ok=True)
            make_boring(source, args.records)
            stamp.write_text(str(args.records))
        inputs = input_files(source)
        input_bytes = sum(p.stat().st_size for p in inputs)
        largest = max(p.stat().st_size for p in inputs)
        destination = work / "destination"
        print(f"boring: {args.records} records in every X file, {len(inputs)} files, "
              f"{input_bytes / MB:.1f} MB (largest {largest / MB:.1f} MB)")

        program = str(Path(args.program).resolve())
        convert = [program, "convert", "--drive", f"S={source}", "--drive", f"D={destination}",
                   "--system-dir", str(source), "--yes", "--quiet", "S:\\BORING", "D:\\OUT"]
        windows = None
        if args.windows_program:
            windows = windows_convert(args.windows_program, source, destination)
            # The first start under Wine makes its prefix if need be; not a conversion.
            destination.mkdir(exist_ok=True)
            timed(windows, subprocess.DEVNULL)
            # What Wine's start of a process costs alone, to tell it from the conversion.
            windows_start = windows[:2] + ["--version"]
        script = ("iconv -f CP932 -t UTF-8 \"$@\" | iconv -f UTF-8 -t CP932 > \"$0\"")
        names = [str(p) for p in inputs]
        times = {"qe2m4": [], "iconv": [], "cat": [], "windows": [], "wine start": []}
        for run in range(1, args.runs + 1):
            shutil.rmtree(destination, ignore_errors=True)
            destination.mkdir()
            times["qe2m4"].append(timed(convert, subprocess.DEVNULL))
            elapsed = timed(["sh", "-c", script, str(destination / "iconv.out")] + names,
                               subprocess.DEVNULL)
            times["iconv"].append(elapsed)
            with open(destination / "cat.out", "wb") as out:
                elapsed = timed(["cat"] + names, out)
            times["cat"].append(elapsed)
            if windows:
                shutil.rmtree(destination, ignore_errors=True)
                destination.mkdir()
                times["windows"].append(timed(windows, subprocess.DEVNULL))
                times["wine start"].append(timed(windows_start, subprocess.DEVNULL))
                print(f"run {run}: Windows build under Wine {times['windows'][-1]:.3f} s "
                      f"(its start alone {times['wine start'][-1]:.3f} s)")
            print(f"run {run}: qe2m4 {times['qe2m4'][-1]:.3f} s, iconv round trip "
                  f"{times['iconv'][-1]:.3f} s, cat {times['cat'][-1]:.3f} s, "
                  f"ratio to iconv {times['qe2m4'][-1] / times['iconv'][-1]:.2f}")

        median = {name: statistics.median(values) for name, values in times.items() if values}
        shutil.rmtree(destination, ignore_errors=True)
        destination.mkdir()
        peak = peak_memory(convert)
        bound = 2 * largest + 10 * MB
        print(f"median of {args.runs} runs: qe2m4 {median['qe2m4']:.3f} s, "
              f"iconv round trip {median['iconv']:.3f} s, cat {median['cat']:.3f} s")
        print(f"ratio to the iconv round trip: {median['qe2m4'] / median['iconv']:.2f} "
              f"(runs {min(a / b for a, b in zip(times['qe2m4'], times['iconv'])):.2f} to "
              f"{max(a / b for a, b in zip(times['qe2m4'], times['iconv'])):.2f})")
        print(f"ratio to cat: {median['qe2m4'] / median['cat']:.1f}")
        if windows:
            print(f"Windows build under Wine: median {median['windows']:.3f} s, of which "
                  f"{median['wine start']:.3f} s is Wine starting a process (qe2m4.exe --version); "
                  f"{median['windows'] / median['qe2m4']:.2f} x the Linux build, "
                  f"{(median['windows'] - median['wine start']) / median['qe2m4']:.2f} x without "
                  f"the start")
        print(f"peak memory: {peak / MB:.1f} MB (bound 2 x largest input + 10 MB = "
              f"{bound / MB:.1f} MB)")
    finally:
        if not args.work:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
