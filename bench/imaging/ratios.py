#!/usr/bin/env python3
"""Summarises an imaging_bench JSON report: per benchmark the minimum and median of the
repetitions (real and CPU time, ms), then each figure as a ratio to the references
(vips reduce, vips shrink, the memcpy floor) and the targets the imaging code aims at.
Ratios are given on the minimum and on the median real time and CPU time (all threads of
the process): on a shared machine the CPU time is the steadier of the two.

    build/bench/imaging_bench --benchmark_repetitions=3 --benchmark_out=bench.json
    bench/imaging/ratios.py bench.json
"""
import json
import statistics
import sys


def load(path):
    runs = {}
    for b in json.load(open(path))["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        name = b["run_name"]
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        runs.setdefault(name, []).append((b["real_time"] * scale, b["cpu_time"] * scale))
    return runs


def short(name):
    return name.replace("/process_time", "").replace("/real_time", "")


def main():
    runs = load(sys.argv[1])
    best, best_cpu, median, median_cpu = {}, {}, {}, {}
    print(f"{'benchmark':72} {'real min':>9} {'real med':>9} {'cpu min':>9} {'cpu med':>9}")
    for name, times in runs.items():
        real = [t[0] for t in times]
        cpu = [t[1] for t in times]
        best[short(name)] = min(real)
        best_cpu[short(name)] = min(cpu)
        median[short(name)] = statistics.median(real)
        median_cpu[short(name)] = statistics.median(cpu)
        print(f"{short(name):72} {min(real):9.2f} {statistics.median(real):9.2f} "
              f"{min(cpu):9.2f} {statistics.median(cpu):9.2f}")

    for title, table in (("minimum real", best), ("minimum CPU", best_cpu), ("median real", median),
                         ("median CPU", median_cpu)):
        report(title, table)


def report(title, table):
    def get(prefix):
        for name, value in table.items():
            if name.startswith(prefix):
                return value
        return None

    reduce_, shrink, floor = get("BM_VipsReduceLinear"), get("BM_VipsShrink"), get("BM_MemcpyFloor/96000000")
    down = "sw:6000/sh:4000/dw:1920/dh:1280/threads:1"
    checks = [
        ("bilinear / vips reduce", get(f"BM_Bilinear/{down}"), reduce_, 1.0),
        ("combined / vips reduce", get(f"BM_BilinearIntegral/{down}"), reduce_, 1.3),
        ("area / vips shrink", get(f"BM_Integral/{down}"), shrink, 0.4),
        ("negative / copy floor", get("BM_Negative"), floor, 2.0),
        ("brightness / copy floor", get("BM_Brightness"), floor, 2.0),
        ("monochrome / copy floor", get("BM_Monochrome"), floor, 2.5),
        ("blur r10 / copy floor", get("BM_Blur/w:6000/h:4000/radius:10"), floor, 15.0),
        ("blur r10 / blur r1 (6000x4000)", get("BM_Blur/w:6000/h:4000/radius:10"),
         get("BM_Blur/w:6000/h:4000/radius:1"), 1.15),
        ("blur r10 / blur r1 (1920x1080)", get("BM_Blur/w:1920/h:1080/radius:10"),
         get("BM_Blur/w:1920/h:1080/radius:1"), 1.15),
        ("rotate left / copy floor", get("BM_RotateLeft"), floor, 3.0),
        ("rotate right / copy floor", get("BM_RotateRight"), floor, 3.0),
    ]
    print(f"\nratios of the {title} times (single thread)")
    for label, value, base, target in checks:
        if value is None or base is None:
            continue
        ratio = value / base
        print(f"  {label:34} {ratio:6.2f}  target <= {target:<5} {'met' if ratio <= target else 'NOT met'}")


if __name__ == "__main__":
    main()
