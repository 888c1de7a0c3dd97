#!/usr/bin/python3
"""Runs the report's measurements on a seeded cluster (scripts/bench seeds it
and calls this), prints the table and writes bench/results/latest.json and
bench/results/latest.md.

Every figure is the median of RUNS runs after one warm-up, with min and max,
unless its row states other counts. Loads run in a fresh process each, so
that each one's memory is its own.
"""
import argparse
import json
import os
import platform
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RESULTS = os.path.join(HERE, "results")
PANDAS = os.path.join(HERE, "pandas_pipeline.py")
QUIET_LOAD = 1.5


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", required=True, help="build folder of the bench programs")
    parser.add_argument("--port", required=True, type=int)
    parser.add_argument("--password", required=True)
    parser.add_argument("--size", action="append", required=True,
                        help="NAME:DOCUMENTS of a seeded company bench_NAME (and bench_NAME_plain)")
    parser.add_argument("--export-size", required=True, help="the size whose report is exported")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--view-runs-largest", type=int, default=3,
                        help="runs of the view's loads at the largest size")
    parser.add_argument("--pandas-runs", type=int, default=3)
    parser.add_argument("--pandas-largest", action="store_true",
                        help="also let pandas load the largest size once")
    parser.add_argument("--command", default="scripts/bench", help="what produced the table")
    return parser.parse_args()


# Processes -----------------------------------------------------------------

class Failed(Exception):
    pass


def run_process(argv, env, stdout=subprocess.PIPE):
    """Runs a program to its end: (wall seconds, peak resident kB, stdout)."""
    with tempfile.TemporaryFile() as errors:
        start = time.perf_counter()
        process = subprocess.Popen(argv, env=env, stdout=stdout, stderr=errors)
        output = process.stdout.read() if process.stdout else b""
        _, status, usage = os.wait4(process.pid, 0)
        seconds = time.perf_counter() - start
        process.returncode = os.waitstatus_to_exitcode(status)
        if process.returncode != 0:
            errors.seek(0)
            raise Failed(f"{' '.join(argv)} ended with {process.returncode}:\n"
                         f"{errors.read().decode(errors='replace')}")
    return seconds, usage.ru_maxrss, output.decode()


def run_json(argv, env):
    return json.loads(run_process(argv, env)[2])


def first_line_within(argv, env):
    """Seconds from spawning a program to the first line it prints."""
    start = time.perf_counter()
    process = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
    process.stdout.readline()
    seconds = time.perf_counter() - start
    process.wait()
    return seconds


def load_average():
    return os.getloadavg()[0]


# Figures -------------------------------------------------------------------

def figure(samples, warmups, unit="s"):
    """A measured figure: its median, range and what it was taken from."""
    return {"median": statistics.median(samples), "min": min(samples), "max": max(samples),
            "runs": len(samples), "warmups": warmups, "unit": unit, "samples": samples}


def repeated(runs, measure, warmup=True, warmed_before=False):
    """A figure of `runs` calls of measure() after one unrecorded call, or
    after a warm-up that the caller ran before."""
    if warmup:
        measure()
    return figure([measure() for _ in range(runs)], 1 if warmup or warmed_before else 0)


def collecting(measure, into, seconds_of):
    """measure() for repeated(): keeps each whole result, gives its seconds."""
    def measured():
        into.append(measure())
        return seconds_of(into[-1])
    return measured


def step_figures(timings):
    """Per step of a wt_bench or pandas sequence: the runs after the warm-up,
    and the warm-up itself as the cold figure (the first time after a load)."""
    steps = {}
    for index, name in enumerate(timings["steps"]):
        samples = [run[index] for run in timings["runs"]]
        steps[name] = dict(figure(samples[1:], 1), cold=samples[0])
        if "records" in timings:
            steps[name]["records"] = timings["records"][index]
    return steps


class Bench:
    def __init__(self, args):
        self.args = args
        self.programs = os.path.join(os.path.abspath(args.build), "bench")
        self.sizes = [self.parse_size(text) for text in args.size]
        self.scratch = tempfile.mkdtemp(prefix="wtalvor-bench-")
        self.env = self.environment()
        self.query_file = self.write_program_output("query", "report.sql")
        self.layout_file = self.write_program_output("layout", "layout.tsv")
        self.copy_file = self.write_copy_command()
        self.results = {"figures": {}, "sizes": {}}

    @staticmethod
    def parse_size(text):
        name, documents = text.split(":")
        return {"name": name, "documents": int(documents)}

    def environment(self):
        env = dict(os.environ)
        runtime = os.path.join(self.scratch, "runtime")
        os.makedirs(runtime, mode=0o700)
        env.update({"WTALVOR_BENCH_HOST": "127.0.0.1", "WTALVOR_BENCH_PORT": str(self.args.port),
                    "WTALVOR_BENCH_PASSWORD": self.args.password, "PGHOST": "127.0.0.1",
                    "PGPORT": str(self.args.port), "PGUSER": "vek",
                    "PGPASSWORD": self.args.password, "PGSSLMODE": "require",
                    "XDG_RUNTIME_DIR": runtime, "QT_QPA_PLATFORM": "offscreen"})
        return env

    def program(self, name):
        return os.path.join(self.programs, name)

    def write_program_output(self, command, file_name):
        path = os.path.join(self.scratch, file_name)
        with open(path, "w") as out:
            out.write(run_process([self.program("wt_bench"), command], self.env)[2])
        return path

    def write_copy_command(self):
        """The same query inside COPY ... TO STDOUT, which psql's \\copy runs:
        the query's own lines, its closing ";" moved after the parenthesis."""
        with open(self.query_file) as text:
            query = text.read().rstrip().rstrip(";")
        path = os.path.join(self.scratch, "copy.sql")
        with open(path, "w") as out:
            out.write(f"copy ({query}) to stdout;\n")
        return path

    def record(self, key, value):
        self.results["figures"][key] = value
        print(f"  {key}: {describe(value)}", flush=True)

    def database(self, size, variant):
        return f"bench_{size['name']}" + ("_plain" if variant == "plain" else "")

    # Load and memory -------------------------------------------------------

    def wt_load(self, database):
        return run_json([self.program("wt_bench"), "load", database], self.env)

    def psql(self, database, *arguments):
        return ["psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-d", database, *arguments]

    def copy_floor(self, database, jit=True):
        """\\copy as the server runs it by default, or, jit=False, with the
        query compiled to machine code no more, as wTalvor's sessions ask."""
        env = self.env if jit else dict(
            self.env, PGOPTIONS=(self.env.get("PGOPTIONS", "") + " -c jit=off").strip())
        seconds, peak, _ = run_process(self.psql(database, "-f", self.copy_file, "-o", "/dev/null"),
                                       env, stdout=subprocess.DEVNULL)
        return seconds, peak

    def psql_unaligned(self, database):
        seconds, peak, _ = run_process(
            self.psql(database, "-A", "-t", "-f", self.query_file, "-o", "/dev/null"), self.env,
            stdout=subprocess.DEVNULL)
        return seconds, peak

    def text_bytes(self, database):
        """The size of the result as psql's unaligned text."""
        output = run_process(["sh", "-c", 'psql -X -q -A -t -f "$1" | wc -c', "sh",
                              self.query_file], dict(self.env, PGDATABASE=database))[2]
        return int(output.strip())

    def measure_load(self, size, variant, runs, psql_runs, shared_warmup):
        """Loads by wTalvor, \\copy and psql, each figure after its own warm-up
        or, with shared_warmup, after one \\copy run that warms the data for
        all three. On the table, psql's warm-up is the run that measures the
        result's size as unaligned text; returns (rows, text bytes or None)."""
        database = self.database(size, variant)
        key = f"{size['name']} {variant}"
        if shared_warmup:
            self.copy_floor(database)
        own = not shared_warmup
        loads, copies, psqls = [], [], []
        self.record(f"load wTalvor {key}", repeated(runs, collecting(
            lambda: self.wt_load(database), loads, lambda load: load["seconds"]), own, True))
        self.record(f"load copy {key}", repeated(runs, collecting(
            lambda: self.copy_floor(database), copies, lambda run: run[0]), own, True))
        self.record(f"load copy nojit {key}", repeated(
            runs, lambda: self.copy_floor(database, jit=False)[0], own, True))
        text = self.text_bytes(database) if variant == "plain" else None
        self.record(f"load psql {key}", repeated(psql_runs, collecting(
            lambda: self.psql_unaligned(database), psqls, lambda run: run[0]),
            own and text is None, True))
        loads, copies, psqls = loads[-runs:], copies[-runs:], psqls[-psql_runs:]
        self.record(f"memory wTalvor {key}", figure(
            [load["peakKb"] - load["rssBeforeKb"] for load in loads], 1, "kB"))
        self.record(f"memory retained wTalvor {key}", figure(
            [load["rssAfterKb"] - load["rssBeforeKb"] for load in loads], 1, "kB"))
        self.record(f"memory copy {key}", figure([peak for _, peak in copies], 1, "kB"))
        self.record(f"memory psql {key}", figure([peak for _, peak in psqls], 1, "kB"))
        return loads[0]["rows"], text

    def measure_psql_connect(self):
        """What each psql figure spends before its query: start and connect."""
        database = self.database(self.sizes[0], "plain")
        self.record("connect psql", repeated(self.args.runs, lambda: run_process(
            self.psql(database, "-c", "select 1", "-o", "/dev/null"), self.env,
            stdout=subprocess.DEVNULL)[0]))

    def measure_size(self, size, largest):
        print(f"size {size['name']} ({size['documents']} documents)", flush=True)
        runs = self.args.runs
        # psql at a million rows takes 17 s a run, far from the figure it is
        # compared with: three runs are enough there.
        psql_runs = min(runs, 3) if largest else runs
        rows, text = self.measure_load(size, "plain", runs, psql_runs, False)
        if largest:
            # The view computes every row anew, half a minute at a million
            # rows: fewer runs, one warm-up for all, psql once.
            self.measure_load(size, "view", self.args.view_runs_largest, 1, True)
        else:
            self.measure_load(size, "view", runs, runs, False)
        self.results["sizes"][size["name"]] = dict(size, rows=rows, textBytes=text)
        self.measure_grid(size)

    # Grid ------------------------------------------------------------------

    def measure_grid(self, size):
        timings = run_json([self.program("wt_bench"), "grid", self.database(size, "plain"),
                            str(self.args.runs)], self.env)
        for operation in ("filter", "group", "sort"):
            self.record(f"{operation} wTalvor {size['name']}", step_figures(timings[operation]))

    # Export ----------------------------------------------------------------

    def workbook(self, name):
        return os.path.join(self.scratch, name + ".xlsx")

    def measure_export(self, size):
        database = self.database(size, "plain")
        runs = self.args.runs
        print(f"export of {size['name']}", flush=True)
        exported = run_json([self.program("wt_bench"), "export", database,
                             self.workbook("wtalvor"), str(runs)], self.env)
        self.record("export wTalvor", dict(figure(exported["runs"][1:], 1),
                                           rows=exported["rows"],
                                           listedRows=exported["listedRows"],
                                           fileBytes=exported["fileBytes"]))
        self.record("export raw constant", repeated(runs, lambda: self.raw_writer(
            database, "constant")))
        # For orientation only: the mode the export does not use.
        self.record("export raw default", repeated(min(runs, 3), lambda: self.raw_writer(
            database, "default")))
        self.record("export e2e wTalvor", repeated(runs, lambda: run_json(
            [self.program("wt_bench"), "export-e2e", database, self.workbook("e2e")],
            self.env)["seconds"]))
        self.record("export e2e pandas", repeated(self.args.pandas_runs, lambda: run_json(
            [PANDAS, "export", self.query_file, self.layout_file, database,
             self.workbook("pandas")], self.env)["seconds"], warmup=False))

    def raw_writer(self, database, mode):
        return run_json([self.program("raw_xlsxwriter"), self.query_file, self.layout_file,
                         self.workbook("raw-" + mode), mode],
                        dict(self.env, PGDATABASE=database))["writeSeconds"]

    # pandas ----------------------------------------------------------------

    def measure_pandas(self, size, runs, warmup=True):
        database = self.database(size, "plain")
        print(f"pandas at {size['name']}", flush=True)
        loads = []
        self.record(f"load pandas {size['name']} plain", repeated(runs, collecting(
            lambda: run_json([PANDAS, "load", self.query_file, database], self.env), loads,
            lambda load: load["seconds"]), warmup))
        recorded = loads[1:] if warmup else loads
        self.record(f"memory pandas {size['name']} plain", figure(
            [load["peakKb"] - load["rssBeforeKb"] for load in recorded], int(warmup), "kB"))

    def measure_pandas_ops(self, size):
        timings = run_json([PANDAS, "ops", self.query_file, self.database(size, "plain"),
                            str(self.args.runs)], self.env)
        for operation in ("filter", "group", "sort"):
            self.record(f"{operation} pandas {size['name']}", step_figures(timings[operation]))

    # Start-up --------------------------------------------------------------

    def measure_startup(self):
        print("start-up", flush=True)
        env = dict(self.env)
        platform_name = "xcb" if env.get("DISPLAY") else "offscreen"
        env["QT_QPA_PLATFORM"] = platform_name
        self.record("startup wTalvor", dict(repeated(self.args.runs, lambda: first_line_within(
            [self.program("wt_bench_startup")], env)), platform=platform_name))

    # All -------------------------------------------------------------------

    def run(self):
        self.results["loadAverageAtStart"] = load_average()
        started = time.perf_counter()
        sizes_by_name = {size["name"]: size for size in self.sizes}
        self.measure_startup()
        self.measure_psql_connect()
        for size in self.sizes:
            self.measure_size(size, size is self.sizes[-1])
        export_size = sizes_by_name[self.args.export_size]
        self.measure_export(export_size)
        self.measure_pandas(export_size, self.args.pandas_runs)
        self.measure_pandas_ops(export_size)
        if self.args.pandas_largest:
            self.measure_pandas(self.sizes[-1], 1, warmup=False)
        self.results["exportSize"] = export_size["name"]
        self.results["loadAverageAtEnd"] = load_average()
        self.results["benchSeconds"] = time.perf_counter() - started
        self.results["machine"] = machine()
        self.results["versions"] = versions(self.env)
        self.results["command"] = self.args.command
        self.results["largestSize"] = self.sizes[-1]["name"]
        return self.results


def describe(value):
    if "median" in value:
        return f"{value['median']:.4g} {value['unit']} ({value['runs']} runs)"
    return ", ".join(f"{step} {data['median']:.4g} s" for step, data in value.items())


# Machine and versions ------------------------------------------------------

def machine():
    with open("/proc/cpuinfo") as cpuinfo:
        models = [line.split(":", 1)[1].strip() for line in cpuinfo if line.startswith("model name")]
    with open("/proc/meminfo") as meminfo:
        total_kb = int(meminfo.readline().split()[1])
    return {"cpu": models[0] if models else platform.processor(), "cores": os.cpu_count(),
            "memoryGb": round(total_kb / 1024 / 1024, 1), "kernel": platform.release(),
            "system": read_first_line("/etc/debian_version", "Debian ")}


def read_first_line(path, prefix=""):
    try:
        with open(path) as text:
            return prefix + text.readline().strip()
    except OSError:
        return ""


def versions(env):
    packages = ["libqt6core6", "libpq5", "libxlsxwriter4", "postgresql-15", "python3-pandas",
                "python3-openpyxl", "python3-psycopg2"]
    found = {}
    for package in packages:
        result = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                                capture_output=True, text=True)
        found[package] = result.stdout.strip() if result.returncode == 0 else "not installed"
    server = subprocess.run(["psql", "-X", "-A", "-t", "-d", "postgres", "-c", "show server_version"],
                            env=env, capture_output=True, text=True)
    found["server"] = server.stdout.strip()
    found["compiler"] = subprocess.run(["c++", "--version"], capture_output=True,
                                       text=True).stdout.splitlines()[0]
    found["python"] = platform.python_version()
    return found


def main():
    args = parse_args()
    bench = Bench(args)
    results = bench.run()
    os.makedirs(RESULTS, exist_ok=True)
    with open(os.path.join(RESULTS, "latest.json"), "w") as out:
        json.dump(results, out, indent=1)
    import table
    text = table.markdown(results)
    with open(os.path.join(RESULTS, "latest.md"), "w") as out:
        out.write(text)
    print(text)


if __name__ == "__main__":
    sys.path.insert(0, HERE)
    try:
        main()
    except Failed as failure:
        sys.exit(f"bench: {failure}")
