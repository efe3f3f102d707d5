#!/usr/bin/python3
"""Every ratio of the benchmarks, from the times the timing programs print: a time divided by
another, below 1 where the first is the faster. Only times from one run mean anything side by
side on a shared machine.

Usage: tools/bench-ratios.py pictures FOLDER
         FOLDER holds one run of the picture benchmarks, as tools/run-benchmarks.sh keeps it:
         bench_tga_decode.json and bench_zoom.json (Google Benchmark's JSON), peers.txt
         (tools/bench-peers.py), native.txt, wine32.txt and wine64.txt (picture_timing natively and
         under Wine). A file that is missing is left out.
       tools/bench-ratios.py startup LOG
         LOG is what startup_timing printed.
"""
import json
import pathlib
import re
import sys

# picture_timing's files, by the platform each was timed on.
TIMINGS = (("native", "native.txt"), ("i686 under Wine", "wine32.txt"),
           ("x86_64 under Wine", "wine64.txt"))
# The programs each menu's start is measured against: one dialog, and the same dialog from a
# full-screen owner with nothing in it, as the launcher's two windows stand.
FLOORS = ("minimal dialog", "two windows")
MS_PER_UNIT = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}


def google_benchmark(path):
    """Milliseconds and peak memory (MB) by benchmark name, from Google Benchmark's JSON: the
    median where there were repetitions, else the one run; runs that ended in an error are out."""
    times, peak = {}, {}
    if not path.exists():
        return times, peak
    for run in json.loads(path.read_text())["benchmarks"]:
        median = run.get("aggregate_name") == "median"
        if run.get("error_occurred") or not (median or run["run_type"] == "iteration"):
            continue
        name = run["run_name"]
        if name in times and not median:
            continue  # a repetition: the median stands for them all
        times[name] = run["real_time"] * MS_PER_UNIT[run["time_unit"]]
        if "peak_MB" in run:
            peak[name] = run["peak_MB"]
    return times, peak


def time_table(path):
    """Milliseconds by name, from lines "NAME TIME ms" (picture_timing, bench-peers.py)."""
    times = {}
    if path.exists():
        for line in path.read_text().splitlines():
            match = re.match(r"(BM_\S+)\s+([0-9.]+) ms$", line.strip())
            if match:
                times[match.group(1)] = float(match.group(2))
    return times


def twins(case, times):
    """(suffix, time) of each twin of a case in a table, "CASE_suffix", by suffix."""
    return sorted((name[len(case) + 1:], time) for name, time in times.items()
                  if name.startswith(case + "_"))


def ratio(ours, theirs):
    """The ratio for print; "n/a" where either is missing or the divisor is zero."""
    return f"{ours / theirs:.3f}" if ours is not None and theirs else "n/a"


def pictures(folder):
    host, peak = {}, {}
    for program in ("bench_tga_decode", "bench_zoom"):
        times, peaks = google_benchmark(folder / f"{program}.json")
        host.update(times)
        peak.update(peaks)
    peers = time_table(folder / "peers.txt")
    timings = [(platform, time_table(folder / file)) for platform, file in TIMINGS]
    native = timings[0][1]

    measured = set(host).union(*(times for _, times in timings))
    cases = sorted(name for name in measured
                   if not any(name.startswith(other + "_") for other in measured))
    print("\n=== Ratios (below 1: ours is faster)")
    for case in cases:
        print(f"{case}: ours {host[case]:.3f} ms" if case in host else f"{case}:")
        reference_peak = peak.get(case + "_reference")
        if case in peak and reference_peak is not None:
            print(f"  peak memory: ours {peak[case]:.1f} MB, reference {reference_peak:.1f} MB"
                  f" (ours / reference = {ratio(peak[case], reference_peak)})")
        if case in host:
            for peer, theirs in twins(case, host) + twins(case, peers):
                print(f"  ours / {peer:<14} = {ratio(host[case], theirs)}")
        for platform, times in timings:
            if case not in times:
                continue
            others = twins(case, times)
            if others:
                print(f"  picture_timing {platform}: " +
                      ", ".join(f"ours / {twin} = {ratio(times[case], theirs)}"
                                for twin, theirs in others))
            if times is not native and case in native:
                print(f"  {platform} / native picture_timing = {ratio(times[case], native[case])}")


def start_table(log):
    """Milliseconds to the picture painted by program, from startup_timing's table of starts:
    the rows after its title and header, up to the blank line; None for a program without a
    menu."""
    lines = log.read_text().splitlines()
    title = next(k for k, line in enumerate(lines) if line.startswith("Start to menu"))
    painted = {}
    for line in lines[title + 2:]:
        if not line.strip():
            break
        match = re.match(r"(.+?)\s+(?:no menu|[0-9.]+\s+([0-9.]+))$", line.strip())
        if not match:
            sys.exit(f"bench-ratios.py: unreadable row of the start table: {line!r}")
        painted[match.group(1)] = float(match.group(2)) if match.group(2) else None
    return painted


def startup(log):
    painted = start_table(log)
    floors = [painted.get(floor) for floor in FLOORS]
    print("\n=== Start to the picture painted, relative to the floors (1: as fast as the floor)")
    print(f"{'':<16} " + " ".join(f"{'/ ' + floor:>18}" for floor in FLOORS))
    for program, time in painted.items():
        cells = [ratio(time, floor) for floor in floors]
        print(f"{program:<16} " + " ".join(f"{cell:>18}" for cell in cells))


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("pictures", "startup"):
        sys.exit("usage: tools/bench-ratios.py pictures FOLDER | startup LOG")
    path = pathlib.Path(sys.argv[2])
    if sys.argv[1] == "pictures":
        pictures(path)
    else:
        startup(path)


if __name__ == "__main__":
    main()
