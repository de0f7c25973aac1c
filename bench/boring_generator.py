"""Writes generated borings as the source product stores them: CP932 text, CR LF.

make_boring(folder, records) writes folder/BORING (every X file with `records` records, the
title files, CNT.TXT, the pass-through files), folder/PATDAT (kishitu.txt, L9.txt) and
folder/Patdat32.ini naming S:\\PATDAT\\, so that drive S: is `folder`.

The plain boring is the benchmark's: ordinary values, the same few shapes over and over. The
varied boring (varied=True, a seed) is the comparison's: long remarks that cut double-byte
characters at the line width, numbers of every shape, quoted fields with commas, leading blanks
and tabs, short and long lines, lone CR and LF line ends, damaged CP932, soils that match no
table row, and missing or empty files.
"""

import random
from pathlib import Path

L9_NAMES = [
    "自沈", "貫入不能", "打止め", "玉石当たり", "礫当たり", "木片", "貝殻", "湧水",
    "逸水", "孔壁崩壊", "ロッド回転", "空打ち", "推定値", "乱れ", "硬質",
]
SOILS = [
    "表土", "埋土", "礫混じり砂質シルト", "シルト質細砂", "砂とシルトの互層", "貝殻混じり細砂",
    "有機質粘土", "腐植土", "砂質凝灰質粘土", "ローム", "軽石混じり火山灰", "砂礫",
    "凝灰質粘土", "礫混り砂", "礫混砂", "砂質", "火山灰", "粘土と砂礫の互層",
]
UNMATCHED_SOILS = ["粘板岩", "ｼﾙﾄ", "シラス", "", "混", "と互層", "質"]
INCLUSIONS = ["木片", "礫", "貝殻", "腐植物", "炭化物", "軽石", "玉石", "雲母", "砂",
              "シルト", "粘土", "有機物", "ガラス片", "レンガ片", "根"]
COLOURS = ["暗褐", "褐", "暗灰", "灰", "青灰", "黒", "黄褐", "灰白"]
REMARK_WORDS = ["表層は植物根を混入する。", "φ2～10mmの亜円礫を混入し、", "含水量は中位である。",
                "下部ほど砂分が多くなる。", "貝殻片を多く混入する。", "N値は深度とともに増加。",
                "ｺｱ採取率90%", "RQD=45", "(ABC)", "最大礫径100mm程度。"]
TESTS = ["含水比", "粒度", "液性限界", "一軸圧縮", "湿潤密度", "三軸圧縮試験", "圧密"]
ODD_NUMBERS = [
    "", "abc", "0", "-0", "5", "7.5", "12.345", "1234.5", "2.345", "1.005", "-1.005", "0.005",
    "-0.004", "0.125", "-0.125", "+3", ".5", "5.", "-.5", " 2.5 ", "2.5 m", "1e3", "1E-2",
    "1.5e+2", "1e", "1e+", "1.2.3", "--1", "99999999999999999", "123456789012345678901234.5",
    "1e308", "1e400", "-1e400", "1e-400", "0.000000001", "999.995", "999.994999999", "9.995",
    "0.0049999999999", "4503599627370496.5", "0.1", "0.7", "2.675", "1.115", "-2.5", "１２",
    "\t3", "3\t", "12,5",
]


def encode(text: str) -> bytes:
    return text.encode("cp932")


def number(rng: random.Random, low: float, high: float, decimals: int) -> str:
    return f"{rng.uniform(low, high):.{decimals}f}"


class Writer:
    """Joins fields into records and records into a file's bytes."""

    def __init__(self, rng, varied):
        self.rng = rng
        self.varied = varied

    def field(self, text: str) -> bytes:
        data = encode(text)
        if not self.varied:
            return data
        roll = self.rng.random()
        if roll < 0.03:
            return b'"' + data + b'"'
        if roll < 0.05:
            return b"  \t" + data
        return data

    def record(self, fields) -> bytes:
        parts = [f if isinstance(f, bytes) else self.field(f) for f in fields]
        if self.varied and self.rng.random() < 0.01 and len(parts) > 2:
            # A record split over two lines: records are not tied to lines.
            cut = self.rng.randrange(1, len(parts))
            return b",".join(parts[:cut]) + b"\r\n" + b",".join(parts[cut:])
        return b",".join(parts)

    def line_end(self) -> bytes:
        if self.varied:
            roll = self.rng.random()
            if roll < 0.01:
                return b"\n"
            if roll < 0.02:
                return b"\r"
        return b"\r\n"

    def file(self, records) -> bytes:
        out = bytearray()
        for fields in records:
            out += self.record(fields)
            out += self.line_end()
        if self.varied and self.rng.random() < 0.2 and out.endswith(b"\r\n"):
            del out[-2:]  # no line end after the last record
        return bytes(out)


def remark(rng: random.Random, varied: bool) -> str:
    if not varied:
        return "含水比高く、ところどころに腐植物を混入する。N値は深度とともに増加。"
    words = rng.randrange(0, 12)
    text = "".join(rng.choice(REMARK_WORDS) for _ in range(words))
    if rng.random() < 0.3:
        text = " " * rng.randrange(1, 4) + text + " " * rng.randrange(0, 3)
    return text


def quoted(text: str) -> bytes:
    return b'"' + encode(text) + b'"'


def depth(rng, varied, i) -> str:
    if varied and rng.random() < 0.15:
        return rng.choice(ODD_NUMBERS)
    return f"{i * 0.05 + rng.randrange(0, 100) / 100:.2f}"


def x6_record(rng, varied, i):
    values = {1: str(i), 2: f"SPT-{i}", 3: str(rng.randrange(0, 60)),
              5: depth(rng, varied, i), 6: depth(rng, varied, i), 7: str(rng.randrange(0, 60)),
              8: str(rng.randrange(5, 46))}
    for k in range(9, 12):
        values[k] = str(rng.randrange(0, 20))
    for k in range(12, 21):  # depths of the blows
        values[k] = f"{i + k / 100:.2f}"
    for k in rng.sample(range(29, 49), rng.randrange(0, 4)):
        name = rng.choice(L9_NAMES + ["該当なし"])
        values[k] = (" " + name + " ") if varied and rng.random() < 0.3 else name
    if varied:
        for k in (3, 5, 6, 7, 8):
            if rng.random() < 0.1:
                values[k] = rng.choice(ODD_NUMBERS)
    return [values.get(k, "") for k in range(1, 69)]


def x7_record(rng, varied, i):
    values = {1: str(i), 2: rng.choice(["T-", "D-", "R-", "ｻﾝﾌﾟﾙ", "試料"]) + str(i),
              5: depth(rng, varied, i), 6: depth(rng, varied, i)}
    values[rng.randrange(9, 29)] = str(rng.randrange(1, 20 if not varied else 200))
    for k in range(29, 37):  # test results, not converted
        values[k] = f"{rng.randrange(0, 100000) / 1000:.3f}"
    for k in rng.sample(range(49, 69), rng.randrange(0, 4)):
        values[k] = rng.choice(TESTS + (["  ", "一軸圧縮試験（岩）"] if varied else []))
    return [values.get(k, "") for k in range(1, 69)]


def damaged(rng: random.Random, data: bytes) -> bytes:
    """Inserts a few bytes that are not CP932, and a lead byte cut off by a comma."""
    out = bytearray(data)
    for _ in range(rng.randrange(1, 4)):
        at = rng.randrange(0, len(out) + 1)
        out[at:at] = rng.choice([b"\x81,", b"\xa0", b"\xfd", b"\x85\x40", b"\x82"])
    return bytes(out)


def make_boring(folder: Path, records: int, varied: bool = False, seed: int = 1) -> None:
    rng = random.Random(seed)
    writer = Writer(rng, varied)
    boring = folder / "BORING"
    patdat = folder / "PATDAT"
    boring.mkdir(parents=True, exist_ok=True)
    patdat.mkdir(parents=True, exist_ok=True)

    def soil(i):
        if varied and rng.random() < 0.1:
            return rng.choice(UNMATCHED_SOILS)
        return SOILS[i % len(SOILS)]

    def count():
        return records if not varied else rng.choice([0, 1, 2, 3, 50, records])

    files = {
        "X1.TXT": [[str(i), depth(rng, varied, i), rng.choice(COLOURS), soil(i)]
                   for i in range(1, max(records, 1) + 1)],
        "X3.TXT": [[str(i), depth(rng, varied, i), rng.choice(COLOURS), "",
                    rng.choice(["ゆるい", "中位", "密", "非常に軟らかい", "硬い"]), "", ""]
                   for i in range(1, count() + 1)],
        "X4.TXT": [[str(i), depth(rng, varied, i), "", "", rng.choice(INCLUSIONS)]
                   for i in range(1, count() + 1)],
        "X5.TXT": [[str(i), depth(rng, varied, i)]
                   + [rng.choice([" 1", "2 ", "3", "", " 4 ", "12345"]) for _ in range(9)]
                   for i in range(1, count() + 1)],
        "X6.TXT": [x6_record(rng, varied, i) for i in range(1, count() + 1)],
        "X7.TXT": [x7_record(rng, varied, i) for i in range(1, count() + 1)],
        "X11.TXT": [[str(i), depth(rng, varied, i), rng.choice(["0", "1", "12", "", "3.5"]), "",
                     rng.choice(["孔内水位（掘進時）", "孔内水位（終了時）", "被圧水を確認",
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZ"])]
                    for i in range(1, count() + 1)],
        "X12.TXT": [[str(i), depth(rng, varied, i), quoted(remark(rng, varied))]
                    for i in range(1, count() + 1)],
    }
    for name, rows in files.items():
        data = writer.file(rows)
        if varied:
            if name != "X1.TXT" and rng.random() < 0.1:
                continue  # a missing file
            if rng.random() < 0.1:
                data = damaged(rng, data)
            if name != "X1.TXT" and rng.random() < 0.03:
                data = b""  # an empty file
            if rng.random() < 0.03:
                data = data[:1] or b"1"  # a single byte
        (boring / name).write_bytes(data)

    titles = {
        "titl01.txt": ["市道北浜線道路改良工事に伴う地質調査業務", "北浜市港町", "BORING"]
        + [str(k) for k in range(4, 24)],
        "titl02.txt": ["北浜地質"] + [""] * 13 + ["ハンマー落下", "自動落下", "T.P.", "", "3.45",
                                              "20.00", "m", "", "2.15", "", "1.5", "0.8", "20.0"],
        "titl03.txt": ["柱状図 1/100", "備考なし"],
    }
    for name, lines in titles.items():
        if varied and rng.random() < 0.1:
            continue
        (boring / name).write_bytes(b"".join(encode(line) + b"\r\n" for line in lines))
    (boring / "CNT.TXT").write_bytes(b'"BORING",2024,5,13,12,3\r\n')
    for name in ["N2.TXT", "N8.TXT", "N9.TXT", "N10.TXT"]:
        (boring / name).write_bytes(encode(f"1,0.00,{name}") + b"\r\n")

    (patdat / "kishitu.txt").write_bytes(encode("1,礫") + b"\r\n")
    names = L9_NAMES[:14] if varied and rng.random() < 0.03 else L9_NAMES
    if varied and rng.random() < 0.1:
        names = names[:13] + [" " + names[13], ""]  # a padded name and an empty one
    (patdat / "L9.txt").write_bytes(
        b"".join(encode(f"{k},{name}") + b"\r\n" for k, name in enumerate(names, start=1)))
    if not (varied and rng.random() < 0.03):
        (folder / "Patdat32.ini").write_bytes(b"[PATDAT]\r\nS:\\PATDAT\\\r\n")


def input_files(folder: Path):
    """The boring's source files, the bytes a conversion reads."""
    return sorted(p for p in (folder / "BORING").iterdir() if p.is_file())
