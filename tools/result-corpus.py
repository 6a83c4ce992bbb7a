#!/usr/bin/env python3
"""A corpus of varied design inputs, to prove that a change of the code keeps
every result byte for byte.

  result-corpus.py make DIR            write the inputs (fixed seeds: always the same set)
  result-corpus.py run CLI DIR OUT     run qeln-cli on each: --json, the listing, stderr,
                                       exit codes, the complete listing and the SVG drawing
  result-corpus.py compare OLD NEW     list the outputs that differ; exit 1 if any does

Typical use: build the old commit's qeln-cli, `make` and `run` it once, then
`run` the new qeln-cli into a second folder and `compare`.
"""
import csv
import json
import os
import pathlib
import random
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def pick(rng, *v):
    return rng.choice(v)


def wide_input(rng, rows, good, i):
    """Anything the dialogs or a file may hold: many inputs end in errors."""
    p = rng.choice(good) if rng.random() < 0.85 else rng.choice(rows)
    h, b = float(p['h']), float(p['b'])

    def length():
        return 0 if rng.random() < 0.03 else round(rng.uniform(0.5, 10), pick(rng, 1, 2, 3))

    def ecc(D):
        x = rng.random()
        if x < 0.3: return 0
        if x < 0.4: return 0.5 * D
        if x < 0.45: return 0.5 * D + 0.01
        if x < 0.6: return -round(rng.uniform(0, 0.5 * D), 1)
        return round(rng.uniform(0, 0.5 * D), pick(rng, 0, 1, 2))

    n1 = pick(rng, 4, 8, 12, 16) if h > 400 else (pick(rng, 4, 8) if rng.random() < 0.9 else pick(rng, 12, 16))
    d = pick(rng, 8, 10, 12, 14, 16, 20, 25, 28, 32, 40) if rng.random() < 0.8 else round(rng.uniform(8, 40), 1)
    dist = lambda: pick(rng, 20, 30, 40, 45, 50, 55, 60, 80) if rng.random() < 0.7 else round(rng.uniform(20, 80), 1)
    return {
        "profileName": p['name'], "h": h, "b": b, "tw": float(p['tw']), "tf": float(p['tf']), "r": float(p['r']),
        "d": d, "n1": n1, "n2": pick(rng, 0, 4), "uc1": dist(), "uf1": dist(),
        "fy": pick(rng, 235, 275, 355, 460, 90, 720), "autoReduce": rng.random() < 0.7,
        "fck": pick(rng, 20, 25, 30, 35, 40, 45, 50, 8, 90), "fsk": pick(rng, 420, 500, 550, 90),
        "lWeakCold": length(), "lStrongCold": length(), "lWeakFire": length(), "lStrongFire": length(),
        "e1": ecc(b), "e2": ecc(h),
        "pcp": pick(rng, 0, 50, 70, 100) if rng.random() < 0.6 else round(rng.uniform(0, 100), 1),
    }


def valid_input(rng, good):
    """Inputs that mostly pass the checks, so that the whole run is compared."""
    while True:
        p = rng.choice(good)
        h, b, tw, tf, r = (float(p[k]) for k in ('h', 'b', 'tw', 'tf', 'r'))
        n1 = pick(rng, 4, 8) if h <= 400 else pick(rng, 4, 8, 12, 16)
        n2 = pick(rng, 0, 0, 4)
        d = pick(rng, 12, 14, 16, 20, 25, 28, 32) if rng.random() < 0.85 else round(rng.uniform(12, 32), 1)
        As = 0.78539825 * d * d * (n1 + n2)
        Ac = (h - 2 * tf) * (b - tw) - 0.858407 * r * r - As
        if 0.9 < As / (Ac + As) * 100 < 6.2:
            break
    dist = lambda: pick(rng, 30, 40, 45, 50, 55, 60) if rng.random() < 0.7 else round(rng.uniform(25, 70), 1)
    length = lambda: round(rng.uniform(0.5, 10), pick(rng, 1, 2)) if rng.random() < 0.97 else pick(rng, 0.0, 12.0, 15.0)

    def ecc(D):
        x = rng.random()
        if x < 0.3: return 0
        if x < 0.37: return 0.5 * D
        if x < 0.5: return -round(rng.uniform(0, 0.5 * D), 1)
        return round(rng.uniform(0, 0.5 * D), pick(rng, 0, 1, 2))

    return {"profileName": p['name'], "h": h, "b": b, "tw": tw, "tf": tf, "r": r, "d": d, "n1": n1, "n2": n2,
            "uc1": dist(), "uf1": dist(), "fy": pick(rng, 235, 275, 355, 460), "autoReduce": rng.random() < 0.7,
            "fck": pick(rng, 20, 25, 30, 35, 40, 45, 50), "fsk": pick(rng, 420, 500, 550),
            "lWeakCold": length(), "lStrongCold": length(), "lWeakFire": length(), "lStrongFire": length(),
            "e1": ecc(b), "e2": ecc(h),
            "pcp": pick(rng, 0, 50, 70, 100) if rng.random() < 0.5 else round(rng.uniform(0, 100), 1)}


def make(folder):
    out = pathlib.Path(folder)
    out.mkdir(parents=True, exist_ok=True)
    rows = list(csv.DictReader(open(ROOT / 'data' / 'profiles.csv')))
    good = [r for r in rows if 230 <= float(r['b']) <= 500 and 230 <= float(r['h']) <= 1100]
    for seed, count, start in ((10, 420, 0), (77, 320, 500)):
        rng = random.Random(seed)
        for i in range(start, start + count):
            inp = wide_input(rng, rows, good, i) if seed == 10 else valid_input(rng, good)
            inp.update({"projectName": "corpus %d" % i, "createdOn": 45000.5, "lastUpdated": 45001.25})
            if rng.random() < 0.3:
                inp.update({"gammaA": pick(rng, 1.0, 1.1, 1.15), "gammaC": pick(rng, 1.3, 1.5, 1.6),
                            "gammaS": pick(rng, 1.0, 1.15), "gammaAfi": pick(rng, 1.0, 1.1),
                            "gammaCfi": pick(rng, 1.0, 1.2), "gammaSfi": pick(rng, 1.0, 1.05)})
            if rng.random() < 0.1:
                inp["movrixAvailable"] = True
            (out / ("c%03d.json" % i)).write_text(json.dumps(inp))
            args = "--language %s --listing %s" % (pick(rng, "en", "fr", "de"),
                                                   pick(rng, "complete", "complete", "condensed"))
            (out / ("c%03d.args" % i)).write_text(args + "\n")


def run(cli, folder, outdir):
    out = pathlib.Path(outdir)
    out.mkdir(parents=True, exist_ok=True)
    for j in sorted(pathlib.Path(folder).glob("*.json")):
        n = j.stem
        args = (j.parent / (n + ".args")).read_text().split()
        base = [cli, "design", "--input", str(j)] + args
        for suffix, extra in (("json", ["--json"]), ("txt", ["--svg", str(out / (n + ".svg"))]),
                              ("full.txt", ["--listing", "complete"])):
            r = subprocess.run(base + extra, capture_output=True)
            (out / (n + "." + suffix)).write_bytes(r.stdout)
            # the SVG's file name is part of a complaint: keep it out of the comparison
            (out / (n + "." + suffix + ".err")).write_bytes(r.stderr.replace(str(out).encode(), b"OUT"))
            (out / (n + "." + suffix + ".rc")).write_text(str(r.returncode))


def compare(a, b):
    a, b = pathlib.Path(a), pathlib.Path(b)
    names = sorted({p.name for p in a.iterdir()} | {p.name for p in b.iterdir()})
    bad = [n for n in names if not (a / n).exists() or not (b / n).exists()
           or (a / n).read_bytes() != (b / n).read_bytes()]
    for n in bad:
        print("differs:", n)
    print("%d files, %d differ" % (len(names), len(bad)))
    return 1 if bad else 0


if __name__ == "__main__":
    cmd = sys.argv[1:2]
    if cmd == ["make"] and len(sys.argv) == 3:
        make(sys.argv[2])
    elif cmd == ["run"] and len(sys.argv) == 5:
        run(sys.argv[2], sys.argv[3], sys.argv[4])
    elif cmd == ["compare"] and len(sys.argv) == 4:
        sys.exit(compare(sys.argv[2], sys.argv[3]))
    else:
        sys.exit(__doc__)
