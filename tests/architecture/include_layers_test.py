#!/usr/bin/env python3
"""Checks every #include of src/ against the layers of the code.

    include_layers_test.py SRC_DIR     checks the tree; exit status 1 on any violation
    include_layers_test.py --self-test checks the checker on small trees of its own

A project header ("folder/name.h") may be included only from a folder that the table
PROJECT_EDGES allows to use the header's folder (a folder always uses itself). A header in angle
brackets is either of the C++ standard library, allowed everywhere but the I/O ones in the core
folders, or a system or toolkit header, allowed only where SYSTEM_HEADERS says. Every folder of
src/ must be in both tables, so a new folder is a decision, not an accident.
"""

import re
import sys
import tempfile
from pathlib import Path

# Who may include whom: the layers, bottom up. platform/ is the only code that knows the host;
# common/ holds the services the converters share; titles/, measurements/ and soil/ convert (the
# measurement driver classifies each layer's soil on the way, so measurements/ uses soil/); app/
# holds the conversion run and the window's toolkit-free behaviour; batch/ runs many runs; the
# command line and the two window views sit on top. The views only wire widgets to app/. The
# front ends' texts (catalogue/, generated in part at build time) stand on platform/ and serve
# app/ and everything above it.
PROJECT_EDGES = {
    "platform": set(),
    "catalogue": {"platform"},
    "platform/posix": {"platform"},
    "platform/win32": {"platform"},
    "common": {"platform"},
    "soil": {"platform", "common"},
    "titles": {"platform", "common"},
    "measurements": {"platform", "common", "soil"},
    "app": {"platform", "catalogue", "common", "soil", "titles", "measurements"},
    "batch": {"platform", "catalogue", "common", "soil", "titles", "measurements", "app"},
    "cli": {"platform", "catalogue", "common", "soil", "titles", "measurements", "app", "batch"},
    "app/window": {"platform", "catalogue", "app"},
    # The Win32 view shares platform/win32's UTF-16 helpers for the Windows API.
    "app/win32": {"platform", "platform/win32", "catalogue", "app"},
}

# Headers outside the standard library, by folder: the host's system headers only in the host
# code (platform's system folders, the Win32 view, the command line's console and arguments),
# Qt only in the Qt view, CLI11 only in the command line.
SYSTEM = "system"  # any header that is neither the standard library's nor Qt's
QT = "qt"
CLI11 = "cli11"
SYSTEM_HEADERS = {
    "platform": set(),
    "platform/posix": {SYSTEM},
    "platform/win32": {SYSTEM},
    "catalogue": set(),
    "common": set(),
    "soil": set(),
    "titles": set(),
    "measurements": set(),
    "app": set(),
    "batch": set(),
    "cli": {SYSTEM, CLI11},
    "app/window": {QT},
    "app/win32": {SYSTEM},
}

# The converters and their services do no I/O of their own: files only through platform/.
NO_IO_FOLDERS = {"common", "soil", "titles", "measurements"}
IO_HEADERS = {"filesystem", "fstream", "iostream", "istream", "ostream", "cstdio", "syncstream"}

# Includes that break the layers and are being moved away: (file, header). Each entry must
# still occur (a stale one fails), so the list is emptied as they go; today it is empty.
KNOWN_VIOLATIONS: set[tuple[str, str]] = set()

STANDARD_HEADERS = set("""
algorithm any array atomic barrier bit bitset charconv chrono codecvt compare complex concepts
condition_variable coroutine deque exception execution expected filesystem format forward_list
fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator latch
limits list locale map memory memory_resource mutex new numbers numeric optional ostream queue
random ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span
sstream stack stdexcept stop_token streambuf string string_view syncstream system_error thread
tuple type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
version cassert cctype cerrno cfenv cfloat cinttypes climits clocale cmath csetjmp csignal
cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype
""".split())

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".in", ".rc"}


def folder_of(path: Path, src: Path) -> str:
    return path.parent.relative_to(src).as_posix()


def angle_kind(header: str) -> str:
    if header in STANDARD_HEADERS:
        return "standard"
    if re.match(r"Q[A-Za-z]+$", header) or header.startswith(("QtCore/", "QtGui/", "QtWidgets/")):
        return QT
    if header.startswith("CLI/"):
        return CLI11
    return SYSTEM


def project_folder(header: str, folder: str) -> str:
    """The folder of src/ a quoted header names: its path from src/ ("platform/win32/x.h"; some
    are generated at build time, so the file need not exist here), or beside the including file
    when it names no folder."""
    return header.rpartition("/")[0] or folder


def violations(src: Path) -> list:
    """Every include that breaks the tables, as (file, header, reason)."""
    found = []
    for folder in sorted({folder_of(p, src) for p in src.rglob("*") if p.is_file()}):
        if folder != "." and (folder not in PROJECT_EDGES or folder not in SYSTEM_HEADERS):
            found.append((folder + "/", "", "a folder the layers tables do not know"))
    for path in sorted(p for p in src.rglob("*") if p.suffix in SOURCE_SUFFIXES):
        folder = folder_of(path, src)
        name = path.relative_to(src).as_posix()
        text = path.read_text(encoding="utf-8", errors="replace")
        for line in text.splitlines():
            match = INCLUDE.match(line)
            if not match:
                continue
            bracket, header = match.groups()
            if bracket == '"':
                target = project_folder(header, folder)
                if target not in PROJECT_EDGES:
                    found.append(
                        (name, header, f"a header of {target}/, a folder the tables do not know"))
                elif target != folder and target not in PROJECT_EDGES.get(folder, set()):
                    found.append((name, header, f"{folder}/ may not use {target}/"))
                continue
            kind = angle_kind(header)
            if kind == "standard":
                if folder in NO_IO_FOLDERS and header in IO_HEADERS:
                    found.append((name, header, f"{folder}/ does no I/O but through platform/"))
            elif kind not in SYSTEM_HEADERS.get(folder, set()):
                found.append((name, header, f"a {kind} header in {folder}/"))
    return found


def check(src: Path) -> int:
    found = violations(src)
    unexpected = [v for v in found if (v[0], v[1]) not in KNOWN_VIOLATIONS]
    stale = sorted(KNOWN_VIOLATIONS - {(v[0], v[1]) for v in found})
    for name, header, reason in unexpected:
        print(f"src/{name}: #include {header}: {reason}")
    for name, header in stale:
        print(f"src/{name} no longer includes {header}: remove it from KNOWN_VIOLATIONS")
    known = len(found) - len(unexpected)
    if unexpected or stale:
        return 1
    print(f"Every #include of {src} keeps to the layers ({known} known violations left)")
    return 0


def self_test() -> int:
    """The rules on small trees: each case writes one file and expects these reasons."""
    cases = [
        ("common/a.cpp", '#include "platform/p.h"\n#include <string>\n', []),
        ("common/a.cpp", '#include "app/r.h"\n', ["common/ may not use app/"]),
        ("soil/a.cpp", '#include "measurements/m.h"\n', ["soil/ may not use measurements/"]),
        ("measurements/a.cpp", '#include "soil/s.h"\n', []),
        ("app/a.cpp", "#include <windows.h>\n", ["a system header in app/"]),
        ("app/a.cpp", "#  include <unistd.h>\n", ["a system header in app/"]),
        ("batch/a.cpp", "#include <QString>\n", ["a qt header in batch/"]),
        ("app/window/a.cpp", '#include <QWidget>\n#include "app/r.h"\n', []),
        ("app/window/a.cpp", '#include "batch/b.h"\n', ["app/window/ may not use batch/"]),
        ("app/win32/a.cpp", '#include <windows.h>\n#include "platform/win32/w.h"\n', []),
        ("cli/a.cpp", '#include "platform/win32/w.h"\n', ["cli/ may not use platform/win32/"]),
        ("platform/win32/a.cpp", "#include <windows.h>\n", []),
        ("platform/a.cpp", "#include <fcntl.h>\n", ["a system header in platform/"]),
        ("titles/a.cpp", "#include <fstream>\n", ["titles/ does no I/O but through platform/"]),
        ("common/a.cpp", '#include "b.h"\n#include "common/generated.h"\n', []),
        ("app/a.cpp", '#include "extra/x.h"\n',
         ["a header of extra/, a folder the tables do not know"]),
        ("cli/a.cpp", '#include "catalogue/text_id.h"\n', []),
        ("soil/a.cpp", '#include "catalogue/c.h"\n', ["soil/ may not use catalogue/"]),
        ("extra/a.cpp", "", ["a folder the layers tables do not know"]),
    ]
    failures = 0
    for file, text, expected in cases:
        with tempfile.TemporaryDirectory() as folder:
            src = Path(folder)
            (src / file).parent.mkdir(parents=True, exist_ok=True)
            (src / file).write_text(text)
            reasons = [reason for _, _, reason in violations(src)]
            if reasons != expected:
                print(f"{file} holding {text!r}: found {reasons}, expected {expected}")
                failures += 1
    if failures:
        return 1
    print(f"The layers check judged all {len(cases)} cases right")
    return 0


def main() -> int:
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    return check(Path(sys.argv[1]))


if __name__ == "__main__":
    sys.exit(main())
