#!/usr/bin/env python3
"""Before/after comparison of every output byte over generated borings.

Keep the outputs of one build (the old one), then compare another build's against them:

    scripts/compare_outputs.py keep --program OLD/qe2m4 --outputs DIR [--borings 300]
    scripts/compare_outputs.py compare --program NEW/qe2m4 --outputs DIR

Boring k is generated from seed k (bench/boring_generator.py, varied: long remarks cutting
double-byte characters, numbers of every shape, unmatched soils, damaged CP932, missing and
empty files, ...), converted by the command line, and kept as every file of the destination
tree and of the source tree after the run, plus the exit status, standard output and standard
error. `compare` regenerates the same borings in the same place, converts them with the new
program and reports every file whose bytes differ. Exit status 1 when anything differs.
"""

import argparse
import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "bench"))
from boring_generator import make_boring  # noqa: E402


def convert(program: str, work: Path, seed: int) -> dict:
    """Generates boring `seed` in work, converts it, and returns every result as name -> bytes."""
    shutil.rmtree(work, ignore_errors=True)
    source = work / "source"
    destination = work / "destination"
    records = [1, 3, 20, 200, 1500][seed % 5]
    make_boring(source, records, varied=True, seed=seed)
    destination.mkdir(parents=True)
    result = subprocess.run(
        [program, "convert", "--drive", f"S={source}", "--drive", f"D={destination}",
         "--system-dir", str(source), "--yes", "S:\\BORING", "D:\\OUT"],
        capture_output=True, check=False)
    outputs = {"exit status": str(result.returncode).encode(), "standard output": result.stdout,
               "standard error": result.stderr}
    for tree in (source, destination):
        for path in sorted(tree.rglob("*")):
            if path.is_file():
                outputs[str(path.relative_to(work))] = path.read_bytes()
    return outputs


def keep(args) -> int:
    outputs = Path(args.outputs)
    shutil.rmtree(outputs, ignore_errors=True)
    work = outputs / "work"
    for seed in range(1, args.borings + 1):
        kept = outputs / "borings" / str(seed)
        for name, data in convert(args.program, work, seed).items():
            target = kept / name
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
    (outputs / "borings" / "count").write_text(str(args.borings))
    shutil.rmtree(work, ignore_errors=True)
    print(f"kept the outputs of {args.borings} borings in {outputs}")
    return 0


def compare(args) -> int:
    outputs = Path(args.outputs)
    work = outputs / "work"
    borings = int((outputs / "borings" / "count").read_text())
    differences = 0
    compared_files = 0
    compared_bytes = 0
    for seed in range(1, borings + 1):
        kept_folder = outputs / "borings" / str(seed)
        kept = {str(p.relative_to(kept_folder)): p.read_bytes()
                for p in kept_folder.rglob("*") if p.is_file()}
        new = convert(args.program, work, seed)
        for name in sorted(set(kept) | set(new)):
            compared_files += 1
            compared_bytes += len(kept.get(name, b""))
            if kept.get(name) != new.get(name):
                differences += 1
                state = ("only before" if name not in new else
                         "only after" if name not in kept else "differs")
                print(f"boring {seed}: {name}: {state}")
    shutil.rmtree(work, ignore_errors=True)
    print(f"{borings} borings, {compared_files} results ({compared_bytes} bytes) compared: "
          f"{differences} differ")
    return 1 if differences else 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    keep_parser = commands.add_parser("keep", help="keep the outputs of the old program")
    keep_parser.add_argument("--borings", type=int, default=300)
    compare_parser = commands.add_parser("compare", help="compare a new program's outputs")
    for sub in (keep_parser, compare_parser):
        sub.add_argument("--program", required=True)
        sub.add_argument("--outputs", required=True, help="folder of the kept outputs")
    args = parser.parse_args()
    args.program = str(Path(args.program).resolve())
    return keep(args) if args.command == "keep" else compare(args)


if __name__ == "__main__":
    sys.exit(main())
