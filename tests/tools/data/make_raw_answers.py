#!/usr/bin/env python3
"""Writes raw_answers.txt: random valid --raw lines of every operation of
trelvan-calc with the answers of the build given, one "OPERATION<TAB>line<TAB>
answer" per line. RawAnswersTest replays them, so a change that moves any
digit of an answer shows. Run with the calculator to take the answers from:
    make_raw_answers.py build/trelvan-calc > tests/tools/data/raw_answers.txt
The seed is fixed, so the same build gives the same file."""

import math
import random
import subprocess
import sys

CALC = sys.argv[1]
PER_OPERATION = 100
rng = random.Random(14)


def run(operation, lines):
    # The declination answers are the epoch-2000 model's, kept from before
    # IGRF-14 became the default.
    model = ["--model", "igrf2000"] if operation == "declination" else []
    text = subprocess.run([CALC, "--raw", operation] + model, input="\n".join(lines) + "\n",
                          capture_output=True, text=True, check=True).stdout
    answers = text.splitlines()
    assert len(answers) == len(lines) and not any(a.startswith("ERROR") for a in answers)
    return answers


def position():
    return [rng.uniform(-1.5, 1.5), rng.uniform(-math.pi, math.pi), rng.uniform(-500, 9000),
            rng.randrange(125)]


def vector():
    return [rng.uniform(0.1, 50000), rng.uniform(0, 2 * math.pi), rng.uniform(-0.5, 0.5)]


def line(values):
    return " ".join(repr(v) for v in values)


def grid():
    band = rng.choice("CDEFGHJKLMNPQRSTUVWX")
    north = band >= "N"
    northing = rng.uniform(0, 9329006) if north else rng.uniform(1116915, 10000000)
    return " ".join([repr(rng.uniform(0, 1000000)), repr(northing), repr(rng.uniform(-500, 9000)),
                     str(rng.randint(1, 60)), band, str(rng.randrange(125))])


def inverse():
    a = position()
    if rng.random() < 0.5:
        return line(a + position())
    return line(a + [a[0] + rng.uniform(-0.01, 0.01), a[1] + rng.uniform(-0.01, 0.01),
                     rng.uniform(-500, 9000), a[3]])


def declination():
    p = position()
    p[2] = rng.uniform(-1000, 50000)
    return line(p + [rng.randint(1990, 2030), rng.randint(1, 12), rng.randint(1, 28)])


def resections():
    """Stations below 80 degrees of latitude, two waypoints placed from each by
    the calculator's own forward operation, and what was measured to them."""
    stations, vectors = [], []
    for _ in range(PER_OPERATION):
        s = position()
        s[0] = rng.uniform(-1.39, 1.39)
        v = [[rng.uniform(100, 8000), rng.uniform(0, 2 * math.pi), rng.uniform(-0.1, 0.1)]
             for _ in range(2)]
        stations.append(s)
        vectors.append(v)
    targets = run("forward", [line(s + v) for s, vs in zip(stations, vectors) for v in vs])
    lines = []
    for n, vs in enumerate(vectors):
        theta = (vs[1][1] - vs[0][1]) % (2 * math.pi)
        lines.append(line([theta, vs[0][0], vs[0][2], vs[1][0], vs[1][2]]) + " " +
                     targets[2 * n] + " " + targets[2 * n + 1])
    return lines


MAKERS = {
    "utm": lambda: line(position()),
    "geo": grid,
    "datum": lambda: line(position() + [rng.randrange(125)]),
    "convergence": lambda: line(position()),
    "declination": declination,
    "forward": lambda: line(position() + vector()),
    "inverse": inverse,
    "backpolar": lambda: line(position() + vector()),
}

def mgrs_lines():
    """Positions on every datum, with a generator of their own so that the
    lines of the older operations stay as they were."""
    own = random.Random(18)
    return [line([own.uniform(-1.39, 1.46), own.uniform(-3.14, 3.14), own.uniform(-100, 3000)]) +
            f" {own.randrange(125)}" for _ in range(PER_OPERATION)]


for operation in list(MAKERS) + ["resection", "mgrs"]:
    if operation == "resection":
        lines = resections()
    elif operation == "mgrs":
        lines = mgrs_lines()
    else:
        lines = [MAKERS[operation]() for _ in range(PER_OPERATION)]
    for text, answer in zip(lines, run(operation, lines)):
        print(f"{operation}\t{text}\t{answer}")
