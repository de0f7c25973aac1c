#!/usr/bin/env python3
"""Writes the sample boring of examples/ as the source product stores it: CP932 text, CR LF.

The data are written here as UTF-8 text; run this script again after changing them:
    python3 scripts/make_sample.py
"""

from pathlib import Path

EXAMPLES = Path(__file__).resolve().parent.parent / "examples"
BORING = EXAMPLES / "BORING1"
PATDAT = EXAMPLES / "PATDAT"


def write(path: Path, lines):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("cp932"))


def records(rows):
    return [",".join(str(field) for field in row) for row in rows]


def wide(count, values):
    """A record of count fields; values maps field numbers (from 1) to texts."""
    return [values.get(k, "") for k in range(1, count + 1)]


# Layers: number, bottom depth (m), colour, description.
LAYERS = [
    (1, "0.60", "暗褐", "表土"),
    (2, "1.80", "褐", "埋土"),
    (3, "3.20", "暗灰", "礫混じり砂質シルト"),
    (4, "4.50", "灰", "シルト質細砂"),
    (5, "6.10", "暗灰", "砂とシルトの互層"),
    (6, "7.40", "青灰", "貝殻混じり細砂"),
    (7, "9.00", "暗灰", "有機質粘土"),
    (8, "10.35", "黒", "腐植土"),
    (9, "12.80", "灰", "砂質凝灰質粘土"),
    (10, "14.20", "黄褐", "ローム"),
    (11, "16.00", "灰白", "軽石混じり火山灰"),
    (12, "18.45", "青灰", "砂礫"),
    (13, "20.00", "灰", "粘板岩"),
]

# X3: soil colour and consistency per layer.
X3 = [
    (k, depth, colour, "", consistency, "", "")
    for (k, depth, colour, _), consistency in zip(
        LAYERS,
        ["", "ゆるい", "中位", "ゆるい", "中位", "密", "軟らかい", "非常に軟らかい",
         "中位", "硬い", "中位", "非常に密", "硬い"],
    )
]

# X4: inclusions found in the layers.
X4 = [
    (1, "0.40", "", "", "木片"),
    (2, "1.20", "", "", "礫"),
    (3, "2.50", "", "", "礫"),
    (4, "6.80", "", "", "貝殻"),
    (5, "8.20", "", "", "腐植物"),
    (6, "11.50", "", "", "炭化物"),
    (7, "15.30", "", "", "軽石"),
    (8, "17.60", "", "", "玉石"),
    (9, "19.10", "", "", "雲母"),
]

# X5: eleven fields of codes per layer.
X5 = [
    (k, depth, " 1", "", "2 ", "3", "", " 4", "5", "", "6")
    for (k, depth, _, _) in LAYERS[:8]
]

# X11: water levels and ground-water observations.
X11 = [
    (1, "2.15", "1", "", "孔内水位（掘進時）"),
    (2, "2.40", "0", "", "孔内水位（終了時）"),
    (3, "6.5", "12", "", "被圧水を確認"),
]

# X12: remarks.
X12 = [
    (1, "0.60", "表層は植物根を混入する。"),
    (2, "3.20", "φ2～10mm程度の亜円礫を混入し、含水量は中位である。下部ほど砂分が多くなる。"),
    (3, "7.40", "貝殻片を多く混入する。"),
    (4, "12.80", ""),
    (5, "18.45", "φ5～50mmの円礫主体、最大礫径は100mm程度。マトリックスは粗砂。"),
]

# The fifteen names of the sample observation table L9.txt.
L9_NAMES = [
    "自沈", "貫入不能", "打止め", "玉石当たり", "礫当たり", "木片", "貝殻", "湧水",
    "逸水", "孔壁崩壊", "ロッド回転", "空打ち", "推定値", "乱れ", "硬質",
]

# X6: standard penetration tests every metre: number, test name, N value, start and end
# depth, blows and penetration, blows per 10 cm (fields 9 to 11), observations (29 to 48).
X6 = []
for i, (start, n_value, blows, penetration, notes) in enumerate(
    [
        ("1.15", "3", "3", "30", []),
        ("2.15", "5", "5", "30", ["礫当たり"]),
        ("3.15", "2", "2", "30", ["湧水", " 乱れ "]),
        ("4.15", "8", "8", "30", []),
        ("5.15", "11", "11", "30", ["貝殻"]),
        ("6.15", "14", "14", "30", ["貝殻", "貝殻"]),
        ("7.15", "0", "0", "45", ["自沈"]),
        ("8.15", "1", "1", "30", ["自沈", "推定値"]),
        ("9.15", "4", "4", "30", ["木片"]),
        ("10.15", "6", "6", "30", []),
        ("11.15", "7", "7", "30", []),
        ("12.15", "9", "9", "30", ["孔壁崩壊"]),
        ("13.15", "12", "12", "30", []),
        ("14.15", "18", "18", "30", []),
        ("15.15", "25", "25", "30", ["玉石当たり"]),
        ("16.15", "38", "38", "30", ["礫当たり", "逸水"]),
        ("17.15", "50", "50", "21", ["打止め", "硬質"]),
        ("18.15", "50", "50", "12", ["打止め", "空打ち", "ロッド回転"]),
    ],
    start=1,
):
    end = f"{float(start) + int(penetration) / 100:.2f}"
    values = {1: str(i), 2: f"SPT-{i}", 3: n_value, 4: "", 5: start, 6: end, 7: blows,
              8: penetration}
    thirds = [str(int(blows) // 3 + (1 if int(blows) % 3 > k else 0)) for k in range(3)]
    values.update({9: thirds[0], 10: thirds[1], 11: thirds[2]})
    for k, note in enumerate(notes):
        values[29 + 2 * k] = note
    X6.append(wide(68, values))

# X7: samples taken: number, sample name, kind code (fields 9 to 28), start and end depth,
# laboratory tests (fields 49 to 68).
X7 = []
for i, (name, kind_field, kind, start, end, tests) in enumerate(
    [
        ("T-1", 9, "1", "3.00", "3.80", ["含水比", "粒度", "液性限界"]),
        ("T-2", 12, "2", "7.50", "8.30", ["一軸圧縮", "含水比"]),
        ("D-1", 20, "3", "11.15", "11.45", ["粒度"]),
        ("D-2", 9, "13", "15.15", "15.45", []),
        ("R-1", 28, "4", "19.00", "19.60", ["湿潤密度", "", "", "一軸圧縮試験（岩）"]),
    ],
    start=1,
):
    values = {1: str(i), 2: name, 3: "", 4: "", 5: start, 6: end, 7: "", 8: "",
              kind_field: kind}
    for k, test in enumerate(tests):
        values[49 + k] = test
    X7.append(wide(68, values))

TITL01 = [
    "令和６年度　市道北浜線道路改良工事に伴う地質調査業務",  # 1 project
    "北浜市港町３丁目地内",  # 2 site
    "BORING1",  # 3 boring name
    "北浜市建設部道路課",  # 4
    "株式会社　北浜地質コンサルタント",  # 5
    "担当　山田　太郎",  # 6
    "2024/05/13",  # 7
    "2024/05/17",  # 8
    "ロータリー式機械ボーリング",  # 9
    "東邦式　TBM-1型　油圧送り",  # 10
    "35",  # 11
    "41",  # 12
    "12.5",  # 13
    "139",  # 14
    "47",  # 15
    "30.2",  # 16
    "孔口標高は仮BMより測量した。",  # 17
    "北浜市港町３－１５－２",  # 18
    "KITAHAMA-01",  # 19
    "SPT-18",  # 20
    "鉛直",  # 21
    "φ66mm",  # 22
    "佐藤　次郎",  # 23
]
TITL02 = [
    "北浜地質",  # 1
] + [""] * 13 + [
    "ハンマー落下",  # 15
    "自動落下",  # 16
    "T.P.",  # 17
    "",  # 18
    "3.45",  # 19
    "20.00",  # 20
    "m",  # 21
    "",  # 22
    "2.15",  # 23
    "",  # 24
    "1.5",  # 25
    "0.8",  # 26
    "20.0",  # 27
    "日本工業規格 JIS A 1219",  # 28
    "土質柱状図作成要領（案）",  # 29
    "地盤材料試験の方法と解説",  # 30
    "確認済",  # 31
]
TITL03 = ["柱状図 1/100", "備考なし"]

# CNT.TXT: one record of six fields.
CNT = ['"BORING1",2024,5,13,12,3']

# Files passed through unchanged.
N2 = records([(1, "0.00", "3.45"), (2, "20.00", "-16.55")])
N8 = records([(1, "2.15", "掘進時"), (2, "2.40", "終了時")])
N9 = records([(1, "北浜地質コンサルタント", "092-000-0000")])
N10 = records([(1, "SPT", "18"), (2, "サンプリング", "5")])

KISHITU = records([(k, name) for k, name in enumerate(
    ["礫", "砂", "シルト", "粘土", "火山灰", "ローム", "腐植土", "埋土", "表土"], start=1)])


def main():
    write(BORING / "X1.TXT", records(LAYERS))
    write(BORING / "X3.TXT", records(X3))
    write(BORING / "X4.TXT", records(X4))
    write(BORING / "X5.TXT", records(X5))
    write(BORING / "X6.TXT", records(X6))
    write(BORING / "X7.TXT", records(X7))
    write(BORING / "X11.TXT", records(X11))
    write(BORING / "X12.TXT", records(X12))
    write(BORING / "titl01.txt", TITL01)
    write(BORING / "titl02.txt", TITL02)
    write(BORING / "titl03.txt", TITL03)
    write(BORING / "CNT.TXT", CNT)
    write(BORING / "N2.TXT", N2)
    write(BORING / "N8.TXT", N8)
    write(BORING / "N9.TXT", N9)
    write(BORING / "N10.TXT", N10)
    write(PATDAT / "kishitu.txt", KISHITU)
    write(PATDAT / "L9.txt", records([(k, name) for k, name in enumerate(L9_NAMES, start=1)]))
    # The sample's settings file names the PATDAT folder on drive S:, the letter `make run`
    # gives the examples folder.
    write(EXAMPLES / "Patdat32.ini", ["[PATDAT]", "S:\\PATDAT\\"])


if __name__ == "__main__":
    main()
