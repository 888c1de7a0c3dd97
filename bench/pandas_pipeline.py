#!/usr/bin/python3
"""The same report work done the usual way in Python, as a yardstick:
pandas reads the report query through psycopg2, filters, groups and sorts
the frame, and writes the grid's columns with to_excel through openpyxl.

    pandas_pipeline.py load QUERYFILE DB
    pandas_pipeline.py ops QUERYFILE DB RUNS
    pandas_pipeline.py export QUERYFILE LAYOUTFILE DB OUTFILE

The connection is the client's: 127.0.0.1 over SSL as vek, the port and the
password from WTALVOR_BENCH_PORT and WTALVOR_BENCH_PASSWORD. Each command
prints one JSON line; timings are in seconds, the first of RUNS+1 runs is the
warm-up.
"""
import contextlib
import json
import os
import sys
import time
import warnings

import pandas
import psycopg2

# The grid's filter-row keystrokes under "Partner" (see wt_bench): three
# equality filters, a prefix pattern, and back to no filter.
TYPED = ["a", "ag", "agr", "agr%"]
DELETED = ["agr", "ag", "a", ""]


def connect(database):
    return psycopg2.connect(host=os.environ.get("WTALVOR_BENCH_HOST", "127.0.0.1"),
                            port=os.environ["WTALVOR_BENCH_PORT"], dbname=database,
                            user="vek", password=os.environ["WTALVOR_BENCH_PASSWORD"],
                            sslmode="require")


def memory_kb():
    """VmRSS and VmHWM of this process."""
    values = {}
    with open("/proc/self/status") as status:
        for line in status:
            key, _, rest = line.partition(":")
            if key in ("VmRSS", "VmHWM"):
                values[key] = int(rest.split()[0])
    return values["VmRSS"], values["VmHWM"]


def read_report(query_file, database):
    with open(query_file) as text, contextlib.closing(connect(database)) as connection:
        query = text.read()
        with warnings.catch_warnings():
            # pandas prefers SQLAlchemy; a DBAPI connection works the same.
            warnings.simplefilter("ignore", UserWarning)
            return pandas.read_sql(query, connection)


def read_layout(layout_file):
    columns, sums = [], []
    with open(layout_file) as layout:
        for line in layout:
            kind, *fields = line.rstrip("\n").split("\t")
            if kind == "column":
                columns.append((fields[0], fields[2]))
            elif kind == "sum":
                sums.append(fields[0])
    return columns, sums


def timed(work):
    start = time.perf_counter()
    result = work()
    return time.perf_counter() - start, result


def load(query_file, database):
    rss_before, _ = memory_kb()
    seconds, frame = timed(lambda: read_report(query_file, database))
    _, peak = memory_kb()
    return {"rows": len(frame), "seconds": seconds, "rssBeforeKb": rss_before, "peakKb": peak}


def filtered(frame, folded_partner, keystroke):
    """The grid's rule: a text with % is a pattern (here a prefix), any other
    text asks for equality; both ignore case; an empty text keeps all."""
    if not keystroke:
        return frame
    if keystroke.endswith("%") and "%" not in keystroke[:-1]:
        return frame[folded_partner.str.startswith(keystroke[:-1])]
    return frame[folded_partner == keystroke]


def ops(query_file, database, runs):
    frame = read_report(query_file, database)
    folded_partner = frame["partener"].str.lower()
    sums = ["val_mon_lei", "rest_mon_com_1_30_mon_raportare",
            "rest_mon_com_31_60_mon_raportare", "rest_mon_com_61_90_mon_raportare"]
    steps = {
        "filter": [(name, lambda k=k: filtered(frame, folded_partner, k)[sums].sum())
                   for name, k in [(f'"{k}"', k) for k in TYPED]
                   + [(f'back to "{k}"', k) for k in DELETED]],
        "group": [("group by Partner, Curr.",
                   lambda: frame.groupby(["partener", "moneda"])[sums].sum())],
        "sort": [("sort by DocValue", lambda: frame.sort_values("val_mon", kind="stable"))],
    }
    figures = {"rows": len(frame)}
    for name, sequence in steps.items():
        figures[name] = {"steps": [step for step, _ in sequence],
                         "runs": [[timed(work)[0] for _, work in sequence]
                                  for _ in range(runs + 1)]}
    return figures


def export(query_file, layout_file, database, out_file):
    columns, _ = read_layout(layout_file)

    def pipeline():
        frame = read_report(query_file, database)
        shown = frame[[field for field, _ in columns]]
        shown.columns = [caption for _, caption in columns]
        shown.to_excel(out_file, engine="openpyxl", index=False,
                       sheet_name="ReceivablesPayablesAgingAnalysi")
        return len(frame)

    seconds, rows = timed(pipeline)
    return {"rows": rows, "seconds": seconds}


def main(args):
    commands = {
        ("load", 2): lambda: load(*args[1:]),
        ("ops", 3): lambda: ops(args[1], args[2], int(args[3])),
        ("export", 4): lambda: export(*args[1:]),
    }
    command = commands.get((args[0] if args else "", len(args) - 1))
    if not command:
        sys.exit(__doc__)
    print(json.dumps(command()))


if __name__ == "__main__":
    main(sys.argv[1:])
