#!/usr/bin/env bash
# Opens a batch's report and its table of descriptions in LibreOffice Calc, headless, and checks
# that no cell is a formula and that the Japanese texts are intact. The batch converts a boring
# whose layer descriptions are what spreadsheets evaluate (=1+2, +1+2, -1+2, @SUM(A1:A2), a
# HYPERLINK) from a list whose one source is =HYPERLINK("http://x","y"). Calc reads the CSV files
# at its most eager: formulas evaluated, quoted fields too. As a check of the check, the same
# cells without their text mark must come out as formulas.
#
# Needs soffice (Debian's libreoffice-calc-nogui; scripts/install-deps.sh ci installs it). .ci/run
# calls it after make test.
#
#   scripts/check-report-in-calc.sh [QE2M4]     (default build/src/cli/qe2m4)
set -euo pipefail
cd "$(dirname "$0")/.."
qe2m4=$(realpath "${1:-build/src/cli/qe2m4}")
if ! command -v soffice >/dev/null; then
  echo "$0: needs soffice: apt-get install --no-install-recommends libreoffice-calc-nogui" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/S" "$work/D" "$work/config/qe2m4" "$work/calc"
printf 'C=\nZ=\n' >"$work/config/qe2m4/drives.conf"
cp -r examples/. "$work/S/"
cp -r "$work/S/BORING1" "$work/S/HOSTILE"
# A comma would end the field of a layer, so the link's arguments are separated by ";" there
# (Calc takes both); the list holds the link as written, in quotes.
python3 - "$work" <<'PY'
import sys
from pathlib import Path
work = Path(sys.argv[1])
descriptions = ["=1+2", "+1+2", "-1+2", "@SUM(A1:A2)", '=HYPERLINK("http://x";"y")', "=粘板岩",
                "粘板岩"]
lines = [f"{i},{1.25 * i:.2f},灰,{d}" for i, d in enumerate(descriptions, 1)]
(work / "S/HOSTILE/X1.TXT").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))
(work / "list.csv").write_text(
    'S:\\HOSTILE,D:\\OUT\\H\r\n"=HYPERLINK(""http://x"",""y"")",D:\\OUT\\F\r\n', newline="")
PY

status=0
(cd "$work" && XDG_CONFIG_HOME="$work/config" "$qe2m4" batch --drive "S=$work/S" \
  --drive "D=$work/D" --system-dir "$work/S" --yes --quiet list.csv) || status=$?
if [ "$status" -ne 1 ]; then  # the link is no path: that line is refused
  echo "$0: the batch ended with $status, not 1" >&2
  exit 1
fi

# The check of the check: the cells as they would be without the mark.
sed "s/\(^\|,\)\"'/\1\"/g; s/\(^\|,\)'/\1/g" "$work/list-report-soil.csv" >"$work/unmarked-soil.csv"
sed "s/\(^\|,\)\"'/\1\"/g; s/\(^\|,\)'/\1/g" "$work/list-report.csv" >"$work/unmarked-report.csv"

# Field separator ",", text delimiter '"', UTF-8, from line 1, standard columns, language,
# quoted fields not forced to text, special numbers detected, then the export tokens, and
# formulas evaluated.
filter='CSV Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false,false,false,-1,true'
start=$(date +%s%N)
soffice --headless -env:UserInstallation="file://$work/profile" --infilter="$filter" \
  --convert-to fods --outdir "$work/calc" "$work/list-report.csv" "$work/list-report-soil.csv" \
  "$work/unmarked-report.csv" "$work/unmarked-soil.csv" >"$work/soffice.log" 2>&1 || {
  cat "$work/soffice.log" >&2
  exit 1
}
end=$(date +%s%N)

python3 - "$work/calc" <<'PY'
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0"
calc = Path(sys.argv[1])


def cells(name):
    """Every cell of the first sheet: (formula or None, shown text)."""
    root = ET.parse(calc / f"{name}.fods").getroot()
    found = []
    for cell in root.iter(f"{{{TABLE}}}table-cell"):
        text = "\n".join("".join(p.itertext()) for p in cell.iter(f"{{{TEXT}}}p"))
        found.append((cell.get(f"{{{TABLE}}}formula"), text))
    return found


failures = []
for name, must_hold in [
    ("list-report", ["行", "変換元", "変換先", "結果", "変換済", "拒否",
                     "主な土質が見つからなかった層の記述", "1: =1+2", "6: =粘板岩\n7: 粘板岩",
                     "S:\\HOSTILE", 'HYPERLINK("http://x","y")']),
    ("list-report-soil", ["記述", "回数", "ボーリング数", "粘板岩", "=粘板岩", "=1+2", "+1+2",
                          "-1+2", "@SUM(A1:A2)", 'HYPERLINK("http://x";"y")']),
]:
    found = cells(name)
    formulas = [f for f, _ in found if f]
    texts = [t for _, t in found]
    print(f"{name}: {len(found)} cells, {len(formulas)} formulas")
    for f in formulas:
        failures.append(f"{name}: a formula cell: {f}")
    for text in must_hold:
        if not any(text in t for t in texts):
            failures.append(f"{name}: no cell holds {text!r}")
    shown = [t for t in texts if t and (t[0] in "'=+-@" or t.startswith("1: "))]
    print("  cells as Calc shows them:", shown)

# Calc takes a cell for a formula when it begins with "=": each such cell of the unmarked files
# must be one, or the check above proves nothing.
for name in ["unmarked-report", "unmarked-soil"]:
    found = cells(name)
    formulas = [f for f, _ in found if f]
    print(f"{name}: {len(formulas)} formulas: {formulas}")
    expected = (1, 3)[name == "unmarked-soil"]  # the list's link; =1+2, the link, =粘板岩
    if len(formulas) != expected:
        failures.append(f"{name}: Calc evaluated {len(formulas)} cells, not {expected}")

if failures:
    print("\n".join(failures), file=sys.stderr)
    sys.exit(1)
print("no formula in the report or the table; the Japanese texts are intact")
PY
echo "Calc opened and converted the four files in $(((end - start) / 1000000)) ms"
