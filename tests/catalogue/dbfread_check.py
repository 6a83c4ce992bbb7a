"""Reads the built PROFKVL2.DBF with an independent reader (dbfread) and
compares every row with data/profiles.csv, including DID and MOVRIX."""
import csv
import sys

import dbfread

H_FAMILIES = {"HE A", "HE B", "HE M", "HE AA", "HL", "HD", "HP", "W"}


def main(dbf_path, csv_path):
    table = dbfread.DBF(dbf_path, encoding=None, char_decode_errors="strict")
    if table.encoding != "cp1252":
        return f"code page {table.encoding}, expected cp1252"
    fields = [(f.name, f.type, f.length) for f in table.fields]
    names = [f[0] for f in fields]
    if names != ["PROFIL", "H", "B", "S", "T", "R", "MOVRIX", "DID"]:
        return f"fields {names}"
    if fields[0][1:] != ("C", 30) or fields[6][1:] != ("L", 1):
        return f"field layout {fields}"
    rows = list(table)
    with open(csv_path, newline="") as f:
        expected = list(csv.DictReader(f))
    if len(rows) != len(expected):
        return f"{len(rows)} rows, the CSV has {len(expected)}"
    for i, (got, want) in enumerate(zip(rows, expected), start=1):
        movrix = want["family"] in H_FAMILIES and (float(want["tw"]) > 16 or float(want["tf"]) > 16)
        wanted = {
            "PROFIL": want["name"],
            "H": float(want["h"]), "B": float(want["b"]), "S": float(want["tw"]),
            "T": float(want["tf"]), "R": float(want["r"]),
            "MOVRIX": movrix, "DID": 10 * i,
        }
        for key, value in wanted.items():
            if got[key] != value:
                return f"row {i} ({want['name']}): {key} is {got[key]!r}, expected {value!r}"
    print(f"{len(rows)} rows agree")
    return None


if __name__ == "__main__":
    problem = main(sys.argv[1], sys.argv[2])
    if problem:
        print("PROFKVL2.DBF: " + problem, file=sys.stderr)
        sys.exit(1)
