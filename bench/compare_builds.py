#!/usr/bin/env python3
"""Opening a 10 MB page, resizing the window and typing with it open, in two builds.

    bench/compare_builds.py OLD_BUILD NEW_BUILD [--rounds 5]

Runs bench_documents (BM_Open10MB, BM_SetPlainTextAlone10MB) and bench_look
(BM_ResizeWith10MBDocument, BM_ResizeWidthOnly10MB, BM_ResizeHeightOnly10MB)
and bench_typing (a keystroke at the top and at the end, showing the page,
scrolling by a page) of both builds in turn, the order alternating from round to round, so that a
busy machine slows both alike. Each run gives one figure per benchmark (the
mean of its iterations, or the median of its repetitions); the table shows the
median of those figures over the rounds, and the new build's ratio to the old.
"""
import argparse
import json
import statistics
import subprocess
import sys

RUNS = [
    ("bench_documents", "^BM_(Open|SetPlainTextAlone)10MB/"),
    ("bench_look", "^BM_Resize(With10MBDocument|WidthOnly10MB|HeightOnly10MB)"),
    ("bench_typing", "^BM_"),
]


def run(build, program, pattern):
    """{benchmark: ms} from one run of program in build."""
    out = subprocess.run(
        [f"{build}/bench/{program}", f"--benchmark_filter={pattern}", "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    figures = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        figures[b["run_name"]] = b["real_time"] * scale[b["time_unit"]]
    return figures


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()
    figures = {args.old: {}, args.new: {}}
    for r in range(args.rounds):
        builds = [args.old, args.new] if r % 2 == 0 else [args.new, args.old]
        for program, pattern in RUNS:
            for build in builds:
                for name, ms in run(build, program, pattern).items():
                    figures[build].setdefault(name, []).append(ms)
        print(f"round {r + 1} of {args.rounds} done", file=sys.stderr)
    print(f"{'median of medians, ms':34} {'old':>10} {'new':>10} {'new/old':>8}   (rounds: {args.rounds})")
    for name in figures[args.old]:
        old = statistics.median(figures[args.old][name])
        new = statistics.median(figures[args.new].get(name, [float("nan")]))
        print(f"{name:34} {old:10.2f} {new:10.2f} {new / old:8.2f}")
    for build in (args.old, args.new):
        print(f"\nper round, {build}:")
        for name, values in figures[build].items():
            print(f"  {name:32} " + " ".join(f"{v:9.2f}" for v in values))


if __name__ == "__main__":
    main()
