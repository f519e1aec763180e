#!/usr/bin/env bash
# Builds korvith_bench in Release and runs every benchmark (or those matching
# the filter given as the first argument), then prints one table: operation,
# surface, size, CPU time of the program's form and of the literal form, their
# ratio and the growth exponent fitted to the program's form over the sizes.
# Times are CPU milliseconds per run. Needs python3 for the table.
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVITH_CORE_ONLY=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target korvith_bench >/dev/null
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
"$build/korvith_bench" --benchmark_filter="${1:-.}" --benchmark_out="$out" --benchmark_out_format=json >&2
python3 - "$out" <<'PY'
import json, math, re, sys
from collections import OrderedDict

runs = json.load(open(sys.argv[1]))["benchmarks"]
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
rows = OrderedDict()  # (operation, surface) -> {"n":, "fast":, "literal":}
for b in runs:
    if b.get("run_type", "iteration") != "iteration":
        continue
    name = re.sub(r"/iterations:\d+", "", b["name"]).split("/process_time")[0].split("/manual_time")[0]
    # The precise relaxation's runs (times to an error, not per run) have their
    # own table in docs/precise-relaxation.md.
    if re.match(r"BM_(RelaxPrecisely|CrossingTest|FixedStepsTo)", name):
        continue
    ms = b["cpu_time"] * scale[b["time_unit"]]
    if ":" in name:
        op, surface, kind = name.split(":")
        n = b.get("n", 0)
    else:  # BM_<Operation><Kind>/<size>[/<width>/<height>]; Reference is the literal kind
        m = re.match(r"BM_(.*?)(Literal|Fast|Linear|Indexed|Reference|)/(\d+)(?:/(\d+)/(\d+))?$", name)
        if not m:
            continue
        op, kind, surface = m.group(1), m.group(2).lower(), m.group(3)
        kind = "literal" if kind in ("literal", "reference") else "fast"
        n = b.get("n", float(surface))
        if m.group(4):
            surface += " at %sx%s" % (m.group(4), m.group(5))
    row = rows.setdefault((op, surface), {"n": n})
    row[kind] = ms
    row["n"] = n or row["n"]

growth = {}
for op in OrderedDict.fromkeys(k[0] for k in rows):
    pts = [(math.log(r["n"]), math.log(r["fast"])) for (o, _), r in rows.items()
           if o == op and r.get("fast", 0) > 0 and r["n"] > 0]
    if len(set(p[0] for p in pts)) >= 2:
        mx = sum(p[0] for p in pts) / len(pts)
        my = sum(p[1] for p in pts) / len(pts)
        growth[op] = sum((x - mx) * (y - my) for x, y in pts) / sum((x - mx) ** 2 for x, _ in pts)

def fmt(t):
    return "" if t is None else ("%.3g" % t if t < 100 else "%.0f" % t)

print("| operation | surface | size | fast (ms) | literal (ms) | ratio | growth |")
print("|---|---|---:|---:|---:|---:|---:|")
for (op, surface), r in rows.items():
    fast, literal = r.get("fast"), r.get("literal")
    ratio = "%.0f" % (literal / fast) if fast and literal else ""
    g = "n^%.2f" % growth[op] if op in growth else ""
    print("| %s | %s | %d | %s | %s | %s | %s |" % (op, surface, r["n"], fmt(fast), fmt(literal), ratio, g))
PY
