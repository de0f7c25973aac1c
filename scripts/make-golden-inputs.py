#!/usr/bin/env python3
"""Writes the generated source borings of tests/golden/ (bench/boring_generator.py, fixed seeds).

    scripts/make-golden-inputs.py

Each case is tests/golden/<case>/source: BORING (the boring), PATDAT and Patdat32.ini, so that
drive S: is that folder. The inputs are committed, so the golden test needs no Python; run this
only to change the set of cases, then refresh the expected trees (make golden-refresh).
"""

import shutil
import sys
from pathlib import Path

root = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(root / "bench"))
from boring_generator import make_boring  # noqa: E402

# case name -> (records, varied, seed). The plain boring is the benchmark's shape; the varied
# ones hold cut double-byte remarks, odd numbers, unmatched soils, damaged CP932 and missing
# files; varied-6 has no Patdat32.ini, so its X6.TXT is not converted.
CASES = {
    "plain-5": (5, False, 1),
    "varied-1": (12, True, 1),
    "varied-5": (12, True, 5),
    "varied-6": (12, True, 6),
}


def main() -> int:
    for name, (records, varied, seed) in CASES.items():
        source = root / "tests" / "golden" / name / "source"
        shutil.rmtree(source, ignore_errors=True)
        make_boring(source, records, varied=varied, seed=seed)
        print(f"wrote {source.relative_to(root)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
