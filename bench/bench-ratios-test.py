#!/usr/bin/python3
"""tools/bench-ratios.py on small measurement files written here: which time stands for a
benchmark, which names are twins of which case, and how the start-up table is read.

Usage: bench/bench-ratios-test.py (Python's unittest; any python3)
"""
import json
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parent.parent / "tools" / "bench-ratios.py"


def run(mode, path):
    result = subprocess.run([sys.executable, SCRIPT, mode, path], capture_output=True, text=True,
                            check=False)
    return result.returncode, result.stdout.splitlines()


def aggregate(name, kind, ms):
    return {"run_name": name, "run_type": "aggregate", "aggregate_name": kind, "real_time": ms,
            "time_unit": "ms"}


class PictureRatios(unittest.TestCase):
    def ratios(self, files):
        with tempfile.TemporaryDirectory() as folder:
            for name, text in files.items():
                (pathlib.Path(folder) / name).write_text(text)
            status, lines = run("pictures", folder)
        self.assertEqual(status, 0)
        return lines

    def test_which_time_stands_for_a_benchmark(self):
        runs = [
            # With repetitions the median, never the mean.
            aggregate("BM_Decode/a", "mean", 9.0),
            aggregate("BM_Decode/a", "median", 2.0),
            aggregate("BM_Decode/a_reference", "median", 8.0),
            # Without repetitions the one run, in whatever unit it was reported.
            {"run_name": "BM_Decode/a_stb", "run_type": "iteration", "real_time": 4000.0,
             "time_unit": "us"},
            # A twin on a path the processor lacks ends in an error and makes no ratio.
            {"run_name": "BM_Decode/a_sse2", "run_type": "iteration", "real_time": 0.0,
             "time_unit": "ms", "error_occurred": True},
        ]
        lines = self.ratios({"bench_tga_decode.json": json.dumps({"benchmarks": runs})})
        self.assertIn("BM_Decode/a: ours 2.000 ms", lines)
        self.assertIn("  ours / reference      = 0.250", lines)
        self.assertIn("  ours / stb            = 0.500", lines)
        self.assertFalse([line for line in lines if "sse2" in line])

    def test_twins_peers_and_platforms(self):
        zoom = [
            {**aggregate("BM_Rescale/4x4_to_2x2", "median", 1.0), "peak_MB": 0.5},
            {**aggregate("BM_Rescale/4x4_to_2x2_reference", "median", 4.0), "peak_MB": 2.0},
        ]
        native = ("Benchmark   Time   (median of 3 rounds)\n"
                  "BM_Rescale/4x4_to_2x2                 2.000 ms\n"
                  "BM_Rescale/4x4_to_2x2_sse2              skipped\n"
                  "BM_Rescale/4x4_to_2x2_portable        8.000 ms\n")
        lines = self.ratios({
            "bench_zoom.json": json.dumps({"benchmarks": zoom}),
            "peers.txt": "# versions\nBM_Rescale/4x4_to_2x2_opencv_area   0.500 ms\n",
            "native.txt": native,
            "wine64.txt": native.replace("2.000 ms", "3.000 ms"),
            "wine32.txt": "not run: no 32-bit programs here\n",
        })
        self.assertEqual(lines[2:], [
            "BM_Rescale/4x4_to_2x2: ours 1.000 ms",
            "  peak memory: ours 0.5 MB, reference 2.0 MB (ours / reference = 0.250)",
            "  ours / reference      = 0.250",
            "  ours / opencv_area    = 2.000",
            "  picture_timing native: ours / portable = 0.250",
            "  picture_timing x86_64 under Wine: ours / portable = 0.375",
            "  x86_64 under Wine / native picture_timing = 1.500",
        ])


class StartupRatios(unittest.TestCase):
    def test_each_program_against_both_floors(self):
        log = ("Start to menu under Wine, median of 3 starts (ms from process creation)\n"
               "                   menu shown  picture painted\n"
               "autorun menu            100.0            300.0\n"
               "options menu          no menu\n"
               "two windows             140.0            150.0\n"
               "minimal dialog           90.0            100.0\n"
               "\n"
               "The launcher's own steps, in process (median ms of 3 fresh runs)\n"
               "drive scan               0.30       0.31\n")
        with tempfile.TemporaryDirectory() as folder:
            path = pathlib.Path(folder) / "timing.log"
            path.write_text(log)
            status, lines = run("startup", path)
        self.assertEqual(status, 0)
        self.assertEqual([line.split() for line in lines[3:]], [
            ["autorun", "menu", "3.000", "2.000"],
            ["options", "menu", "n/a", "n/a"],
            ["two", "windows", "1.500", "1.000"],
            ["minimal", "dialog", "1.000", "0.667"],
        ])


if __name__ == "__main__":
    unittest.main()
