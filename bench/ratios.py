#!/usr/bin/env python3
"""Runs core_bench and prints every figure as a ratio against the baseline
measured in the same run, beside the goal it must meet."""
import json
import subprocess
import sys

exe = sys.argv[1] if len(sys.argv) > 1 else "build/native/bench/core_bench"
# The fastest of 9 repetitions: on a shared virtual machine the memory system's
# noise only ever adds time, and the minimum is what the code itself costs.
out = subprocess.run([exe, "--benchmark_format=json", "--benchmark_repetitions=9"],
                     check=True, capture_output=True, text=True).stdout
runs = json.loads(out)["benchmarks"]
best = {}
for r in runs:
    if r.get("run_type") == "iteration":
        name = r["run_name"]
        best[name] = min(best.get(name, float("inf")), r["real_time"])


def t(name):
    return best[name]


rows = []


def ratio(label, num, den, goal):
    r = t(num) / t(den)
    verdict = "" if goal is None else ("ok" if r <= goal else "OVER")
    rows.append((label, r, goal, verdict))


ratio("capture 2,499,999 chars / plain copy of 5,000,000 bytes", "BM_Capture5MB", "BM_PlainCopy5MB", 3.0)
for name in ["MakeObject", "ConvertToID", "ConvertFromID", "Upper", "Lower", "Title", "EscapeForDisplay"]:
    for n in ["1048576", "2097152"]:
        ratio(f"{name} {n} / towupper pass {n}", f"BM_{name}/{n}", f"BM_TowupperPass/{n}", 5.0)
    ratio(f"{name} 2M / 1M (linear)", f"BM_{name}/2097152", f"BM_{name}/1048576", 2.3)
ratio("FindNext no match: case off / case on", "BM_FindNextNoMatch/0/0", "BM_FindNextNoMatch/1/0", 3.0)
ratio("FindNext no match, whole word: case off / case on", "BM_FindNextNoMatch/0/1", "BM_FindNextNoMatch/1/1", 3.0)
ratio("FindNext no match, case on: whole word / plain", "BM_FindNextNoMatch/1/1", "BM_FindNextNoMatch/1/0", None)
ratio("FindNext no match, case off: whole word / plain", "BM_FindNextNoMatch/0/1", "BM_FindNextNoMatch/0/0", None)

width = max(len(r[0]) for r in rows)
for label, r, goal, verdict in rows:
    target = "" if goal is None else f"(goal <= {goal}x)"
    print(f"{label:<{width}}  {r:6.2f}x  {target:<16} {verdict}")
mem = [r for r in runs if r["run_name"].startswith("BM_MemoryPerItem")]
if mem:
    b = mem[0]["bytes_per_item"]
    print(f"{'memory per item beyond its text':<{width}}  {b:6.1f} bytes (goal <= 128)  {'ok' if b <= 128 else 'OVER'}")
