#!/usr/bin/python3
"""The ten screening rules of bench/bench_watch.cpp written with pandas over the
same workspace (run the benchmark with QV_WATCH_WORKSPACE=<folder> first).
Prints the time of one screening pass over all securities, with the
statistics limit off and on, and whether the pass lists agree with the
program's (passes-limit-off.txt / passes-limit-on.txt in the folder).

Usage: scripts/watch_pandas.py <workspace folder> [repetitions]
Needs python3-pandas (scripts/setup --extra)."""
import os
import statistics
import sys
import time

import numpy as np
import pandas as pd

LIMIT_RECORDS = 260
PRICE = np.dtype([("len", "u1"), ("date", "S10"), ("r1", "V5"), ("High", "<f8"), ("Low", "<f8"),
                  ("Close", "<f8"), ("Volume", "<i4"), ("r2", "V4")])
assert PRICE.itemsize == 48


def counted(raw, offset, size):
    n = min(raw[offset], size)
    return raw[offset + 1:offset + 1 + n].decode("latin-1")


def watch_list(folder):
    raw = open(os.path.join(folder, "watch", "Watch.sbl"), "rb").read()
    out = []
    for i in range(len(raw) // 648):
        rec = raw[i * 648:(i + 1) * 648]
        out.append((counted(rec, 0, 7), counted(rec, 8, 40)))
    return out


def history(folder, symbol):
    path = os.path.join(folder, "data", symbol + ".stk")
    a = np.fromfile(path, dtype=PRICE)
    df = pd.DataFrame({"High": a["High"], "Low": a["Low"], "Close": a["Close"],
                       "Volume": a["Volume"].astype("f8")})
    # The price rule every reader applies.
    df.loc[~(df.High >= df.Low), "High"] = df.Close
    df.loc[df.Low <= 0.001, "Low"] = df.Close
    return df


def screen(symbol, df, limit):
    last = len(df) - 1
    start = last - LIMIT_RECORDS if limit and LIMIT_RECORDS < last else 0
    c, h, l, v = df.Close.values, df.High.values, df.Low.values, df.Volume.values
    window = slice(start, last + 1)
    mean = lambda x, d, n: x[last - d - n:last - d].mean()
    passes = [
        ("Function 01", c[-1] > mean(c, 0, 20)),
        ("Function 02", l[-1] <= l[window].min() * 1.1),
        ("Function 03", h[-1] >= h[window].max() * 0.9),
        ("Function 04", c[-1] > c[start]),
        ("Function 05", c[last - 20:last].std() < 1),
        ("Function 06", abs(c[-1] - c[-2]) > 0.01),
        ("Function 07", symbol == "S0001"),
        ("Function 08", c[last - 5] < c[-1] and mean(v, 0, 10) > 0),
        ("Function 09", v[-1] > mean(v, 1, 50)),
        ("Function 10", c[-1] < mean(c, 0, 200) or c[-1] > c[window].max()),
    ]
    return [symbol + "\t" + name for name, ok in passes if ok]


def run(folder, entries, limit):
    lines = []
    for symbol, _ in entries:
        lines += screen(symbol, history(folder, symbol), limit)
    return lines


def main():
    folder = sys.argv[1]
    reps = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    entries = watch_list(folder)
    for limit in (False, True):
        times = []
        for _ in range(reps):
            t = time.perf_counter()
            lines = run(folder, entries, limit)
            times.append(time.perf_counter() - t)
        name = "passes-limit-on.txt" if limit else "passes-limit-off.txt"
        program = [x for x in open(os.path.join(folder, name)).read().split("\n") if x]
        agree = sorted(program) == sorted(lines)
        print(f"limit {'on ' if limit else 'off'}: median {statistics.median(times) * 1000:.0f} ms, "
              f"{len(lines)} lines, program {len(program)} lines, agree={agree}")
        if not agree:
            print("  only pandas:", sorted(set(lines) - set(program))[:10])
            print("  only program:", sorted(set(program) - set(lines))[:10])


if __name__ == "__main__":
    main()
