#!/usr/bin/env python3
"""Checks that the manual pages say what the program's help says.

    check-man-pages.py QE2M4 ENGLISH_PAGE JAPANESE_PAGE

QE2M4 is the command-line program; the pages are roff sources, plain or gzipped. For each page the
program's help is asked in the page's language (`qe2m4 --help`, `convert --help`, `batch --help`)
and compared: every option of the helps is in the page and every option of the page is in a help;
each command's synopsis names the options of its help; the exit statuses are the same. Exit status
1 and a line per difference when they disagree.
"""

import gzip
import os
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])--[a-z][a-z-]*[a-z]")
STATUS_HEADINGS = ("Exit status:", "終了ステータス:")
PAGE_STATUS_HEADINGS = ("EXIT STATUS", "終了ステータス")


def help_text(program, language, arguments):
    environment = dict(os.environ, LC_ALL=language, LC_MESSAGES="", LANG=language)
    result = subprocess.run([program, *arguments, "--help"], capture_output=True, text=True,
                            encoding="utf-8", env=environment, check=False)
    if result.returncode != 0:
        raise SystemExit(f"{program} {' '.join(arguments)} --help ended with {result.returncode}")
    return result.stdout


def help_statuses(text):
    """The exit statuses the help lists under its heading."""
    statuses = set()
    lines = text.splitlines()
    for i, line in enumerate(lines):
        if line.strip() in STATUS_HEADINGS:
            for following in lines[i + 1:]:
                match = re.match(r"\s+(\d+)\s", following)
                if not match:
                    break
                statuses.add(match.group(1))
    return statuses


def read_page(path):
    data = gzip.open(path).read() if path.endswith(".gz") else open(path, "rb").read()
    return data.decode("utf-8").replace("\\-", "-")


def sections(page):
    """The page's sections by heading: {heading: [lines]}."""
    found = {}
    heading = None
    for line in page.splitlines():
        if line.startswith(".SH "):
            heading = line[4:].strip().strip('"')
            found[heading] = []
        elif heading is not None:
            found[heading].append(line)
    return found


def synopses(lines):
    """The synopsis's commands ("convert", "batch", ...) and the options each names."""
    commands = {}
    command = None
    for line in lines:
        match = re.match(r"\.B qe2m4 (\w+)", line)
        if match:
            command = match.group(1)
            commands.setdefault(command, set())
        elif line.startswith(".br"):
            command = None
        elif command is not None:
            commands[command].update(OPTION.findall(line))
    # "qe2m4 batch ... --tree" continues the batch synopsis above it.
    return commands


def page_statuses(lines):
    statuses = set()
    for line in lines:
        if line.startswith(".B ") or line.startswith(".BR "):
            statuses.update(re.findall(r"(?<![\w.])(\d+)(?![\w.])", line))
    return statuses


def check(program, page_path, language):
    problems = []
    helps = {command: help_text(program, language, [command] if command else [])
             for command in ("", "convert", "batch")}
    page = read_page(page_path)
    parts = sections(page)
    help_options = set().union(*(set(OPTION.findall(text)) for text in helps.values()))
    page_options = set(OPTION.findall(page))
    for option in sorted(help_options - page_options):
        problems.append(f"{page_path}: no {option}, which the help names")
    for option in sorted(page_options - help_options):
        problems.append(f"{page_path}: {option}, which no help names")

    synopsis = next((lines for heading, lines in parts.items()
                     if heading in ("SYNOPSIS", "書式")), None)
    if synopsis is None:
        problems.append(f"{page_path}: no synopsis")
    else:
        named = synopses(synopsis)
        for command in ("convert", "batch"):
            wanted = set(OPTION.findall(helps[command])) - {"--help"}
            for option in sorted(wanted - named.get(command, set())):
                problems.append(f"{page_path}: the synopsis of {command} lacks {option}")

    status_lines = next((lines for heading, lines in parts.items()
                         if heading in PAGE_STATUS_HEADINGS), None)
    if status_lines is None:
        problems.append(f"{page_path}: no exit status section")
    else:
        wanted = help_statuses(helps["convert"]) | help_statuses(helps["batch"])
        listed = page_statuses(status_lines)
        if wanted != listed:
            problems.append(f"{page_path}: exit statuses {sorted(listed)}, "
                            f"the help's {sorted(wanted)}")
    return problems


def main():
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    program, english, japanese = sys.argv[1:]
    problems = check(program, english, "C.UTF-8") + check(program, japanese, "ja_JP.UTF-8")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
