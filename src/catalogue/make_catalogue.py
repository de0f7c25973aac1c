#!/usr/bin/env python3
"""Turns the front ends' gettext catalogues into C++ tables.

po/<domain>/<domain>.pot holds the texts in English: each entry has a msgctxt, the text's name
("cli.no-command" becomes TextId::kCliNoCommand), and the English msgid. po/<domain>/<code>.po
holds the same entries translated into the language of the ISO 639 code. Writes text_id.h (the
names) and catalogue_tables.cpp (the texts of every language; a text a language has not
translated, or translated from another English text, or marked fuzzy, is left out, so that the
program shows the English one and the catalogue's test names it).
"""

import argparse
import pathlib
import re
import sys

ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "r": "\r", "a": "\a"}


class PoError(Exception):
    pass


def unquote(text, where):
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        raise PoError(f"{where}: not a quoted string: {text}")
    out = []
    i = 1
    while i < len(text) - 1:
        c = text[i]
        if c == "\\":
            i += 1
            if i >= len(text) - 1 or text[i] not in ESCAPES:
                raise PoError(f"{where}: unknown escape in {text}")
            out.append(ESCAPES[text[i]])
        elif c == '"':
            raise PoError(f"{where}: a quote inside {text}")
        else:
            out.append(c)
        i += 1
    return "".join(out)


def read_po(path):
    """The entries of a .po or .pot file: a list of dicts with ctxt, id, str, fuzzy, line."""
    entries = []
    entry = None
    field = None

    def finish():
        nonlocal entry
        if entry is not None and "id" in entry:
            entries.append(entry)
        entry = None

    lines = path.read_text(encoding="utf-8").splitlines()
    for number, raw in enumerate(lines, 1):
        where = f"{path}:{number}"
        line = raw.strip()
        if not line:
            finish()
            field = None
            continue
        if line.startswith("#~"):
            continue  # an obsolete entry msgmerge keeps
        if line.startswith("#"):
            if entry is not None and "id" in entry:
                finish()
            if entry is None:
                entry = {"fuzzy": False, "line": number}
            if line.startswith("#,") and "fuzzy" in [f.strip() for f in line[2:].split(",")]:
                entry["fuzzy"] = True
            continue
        keyword, _, rest = line.partition(" ")
        if keyword in ("msgctxt", "msgid", "msgstr"):
            if keyword == "msgctxt" or (keyword == "msgid" and (entry is None or "id" in entry)):
                if entry is not None and "id" in entry:
                    finish()
            if entry is None:
                entry = {"fuzzy": False, "line": number}
            field = {"msgctxt": "ctxt", "msgid": "id", "msgstr": "str"}[keyword]
            if field in entry:
                raise PoError(f"{where}: a second {keyword} in one entry")
            entry[field] = unquote(rest.strip(), where)
        elif line.startswith('"'):
            if entry is None or field is None:
                raise PoError(f"{where}: a string outside an entry")
            entry[field] += unquote(line, where)
        else:
            raise PoError(f"{where}: cannot read: {raw}")
    finish()
    return [e for e in entries if e["id"] != ""]  # the header entry has an empty msgid


def identifier(name, where):
    if not re.fullmatch(r"[a-z][a-z0-9]*([.-][a-z0-9]+)*", name):
        raise PoError(f"{where}: the name {name!r} is not of the form words.and-words")
    return "k" + "".join(part.capitalize() for part in re.split(r"[.-]", name))


def cxx_literal(text):
    out = ['"']
    for byte in text.encode("utf-8"):
        c = chr(byte)
        if c == '"' or c == "\\":
            out.append("\\" + c)
        elif 0x20 <= byte < 0x7F and c != "?":
            out.append(c)
        else:
            out.append(f"\\{byte:03o}")
    out.append('"')
    return "".join(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--po", required=True, type=pathlib.Path)
    parser.add_argument("--out", required=True, type=pathlib.Path)
    arguments = parser.parse_args()

    names = []  # (identifier, msgctxt, english)
    seen = {}
    translations = {}  # code -> {msgctxt: text}
    domains = sorted(p for p in arguments.po.iterdir() if p.is_dir())
    for domain in domains:
        template = domain / f"{domain.name}.pot"
        if not template.is_file():
            raise PoError(f"{domain}: no template {template.name}")
        english = {}
        for entry in read_po(template):
            where = f"{template}:{entry['line']}"
            if "ctxt" not in entry:
                raise PoError(f"{where}: an entry without a msgctxt naming the text")
            name = entry["ctxt"]
            if name in seen:
                raise PoError(f"{where}: {name} is named in {seen[name]} too")
            seen[name] = where
            names.append((identifier(name, where), name, entry["id"]))
            english[name] = entry["id"]
        for po in sorted(domain.glob("*.po")):
            code = po.stem
            if not re.fullmatch(r"[a-z]{2,3}", code):
                raise PoError(f"{po}: not named for an ISO 639 language code")
            table = translations.setdefault(code, {})
            for entry in read_po(po):
                where = f"{po}:{entry['line']}"
                name = entry.get("ctxt")
                if name not in english:
                    raise PoError(f"{where}: {name} is not in {template.name}")
                if entry["id"] == english[name] and not entry["fuzzy"] and entry.get("str"):
                    table[name] = entry["str"]
    if "en" in translations:
        raise PoError("en.po: English is the templates' own language")

    codes = ["en"] + sorted(translations)
    arguments.out.mkdir(parents=True, exist_ok=True)
    header = [
        "// Generated from po/ by make_catalogue.py: the names of the front ends' texts.",
        "#pragma once",
        "",
        "#include <cstddef>",
        "",
        "namespace qe2m4::catalogue {",
        "",
        "enum class TextId : unsigned short {",
    ]
    header += [f"  {ident},  // {name}" for ident, name, _ in names]
    header += [
        "};",
        "",
        f"inline constexpr std::size_t kTextCount = {len(names)};",
        f"inline constexpr std::size_t kLanguageCount = {len(codes)};",
        "",
        "}  // namespace qe2m4::catalogue",
        "",
    ]
    tables = [
        "// Generated from po/ by make_catalogue.py: the front ends' texts in every language.",
        '#include "catalogue/catalogue_tables.h"',
        "",
        "namespace qe2m4::catalogue {",
        "",
        "const char* const kLanguageCodes[kLanguageCount] = {"
        + ", ".join(cxx_literal(c) for c in codes)
        + "};",
        "",
        "const char* const kTexts[kLanguageCount][kTextCount] = {",
    ]
    for code in codes:
        tables.append(f"    {{  // {code}")
        for _, name, english in names:
            text = english if code == "en" else translations[code].get(name)
            tables.append("        " + (cxx_literal(text) if text is not None else "nullptr") + ",")
        tables.append("    },")
    tables += ["};", "", "}  // namespace qe2m4::catalogue", ""]

    def write(path, lines):
        text = "\n".join(lines)
        if not path.exists() or path.read_text(encoding="utf-8") != text:
            path.write_text(text, encoding="utf-8")

    write(arguments.out / "text_id.h", header)
    write(arguments.out / "catalogue_tables.cpp", tables)


if __name__ == "__main__":
    try:
        main()
    except PoError as error:
        print(f"make_catalogue.py: {error}", file=sys.stderr)
        sys.exit(1)
