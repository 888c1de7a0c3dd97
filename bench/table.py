"""The benchmark's results as Markdown: the machine, the sizes, every figure,
and the targets with their verdicts. Used by run.py; also runnable on a
results file:  table.py bench/results/latest.json
"""
import json
import sys

MB = 1024 * 1024

FIGURE_NAMES = {
    "load wTalvor": "Load: report query + grid ready (wTalvor)",
    "load copy": "Load: `\\copy (query) to /dev/null`",
    "load copy nojit": "Load: `\\copy (query) to /dev/null` with `jit=off`, as wTalvor's sessions",
    "load psql": "Load: `psql -X -A -t -o /dev/null`",
    "load pandas": "Load: pandas `read_sql`",
    "connect psql": "psql's own start and connection (`select 1`), inside each psql figure",
    "memory wTalvor": "Memory: peak added by the loaded report (wTalvor)",
    "memory retained wTalvor": "Memory: resident after the load (wTalvor)",
    "memory copy": "Memory: peak resident of psql `\\copy`",
    "memory psql": "Memory: peak resident of psql `-A -t`",
    "memory pandas": "Memory: peak added by pandas `read_sql`",
    "filter wTalvor": "Filter row under \"Partner\" (wTalvor)",
    "filter pandas": "Filter on partener and sums (pandas)",
    "group wTalvor": "Grouping with group sums (wTalvor)",
    "group pandas": "Two-level group-by sum (pandas)",
    "sort wTalvor": "Sort (wTalvor)",
    "sort pandas": "Sort (pandas)",
    "export wTalvor": "Export of the grouped grid (wTalvor)",
    "export raw constant": "Raw libxlsxwriter, constant-memory mode (the export's)",
    "export raw default": "Raw libxlsxwriter, default mode",
    "export e2e wTalvor": "Export end to end: query, grid, group, file (wTalvor)",
    "export e2e pandas": "Export end to end: `read_sql` + `to_excel` via openpyxl (pandas)",
    "startup wTalvor": "Start-up: process start to the main window painted",
}


def number(value, unit):
    if unit == "kB":
        return f"{value / 1024:,.0f} MB"
    if value < 0.001:
        return f"{value * 1000:.3f} ms"
    if value < 1:
        return f"{value * 1000:,.1f} ms"
    return f"{value:,.2f} s"


def runs_text(value):
    return f"{value['runs']}" + (f" + {value['warmups']} warm-up" if value["warmups"] else "")


def title_and_size(key):
    """'load wTalvor 1m plain' -> ('load wTalvor', '1m', 'plain')."""
    for prefix in sorted(FIGURE_NAMES, key=len, reverse=True):
        if key == prefix or key.startswith(prefix + " "):
            rest = key[len(prefix):].split()
            return prefix, (rest + ["", ""])[0], (rest + ["", ""])[1]
    return key, "", ""


def figure_rows(results):
    rows = []
    for key, value in results["figures"].items():
        prefix, size, variant = title_and_size(key)
        name = FIGURE_NAMES.get(prefix, prefix)
        where = " ".join(part for part in (size, {"plain": "table", "view": "view"}.get(
            variant, variant)) if part)
        if prefix.startswith("export"):
            size = results["exportSize"]
            where = size + " table"
        if "median" in value:
            rows.append(figure_row(name, where, rows_of(results, size),
                                   value, value.get("platform", "")))
        else:
            for step, data in value.items():
                note = f"{data['records']:,} rows pass" if "records" in data else ""
                rows.append(figure_row(f"{name}: {step}", where, rows_of(results, size), data,
                                       note, cold=data["cold"]))
    return rows


def rows_of(results, size):
    entry = results["sizes"].get(size)
    return f"{entry['rows']:,}" if entry else ""


def figure_row(name, where, rows, value, note="", cold=None):
    unit = value["unit"]
    cold_text = number(cold, unit) if cold is not None else ""
    return (f"| {name} | {where} | {rows} | {runs_text(value)} | **{number(value['median'], unit)}** "
            f"| {number(value['min'], unit)} – {number(value['max'], unit)} | {cold_text} "
            f"| {note} |")


# Targets -------------------------------------------------------------------

def median(results, key, step=None):
    value = results["figures"].get(key)
    if value is None:
        return None
    return value[step]["median"] if step else value["median"]


def slowest_step(results, key, measure="median"):
    """The step with the highest median, or the highest cold figure."""
    value = results["figures"].get(key)
    if not value:
        return None, None
    step = max(value, key=lambda name: value[name][measure])
    return step, value[step][measure]


def grid_targets(results, big):
    """Each grid operation, warm (the median after the warm-up) and cold (the
    first time after a load, which builds the column's index)."""
    rows = []
    for measure, when in (("median", ""), ("cold", ", first after a load")):
        step, seconds = slowest_step(results, f"filter wTalvor {big}", measure)
        rows.append((f"Filter keystroke ≤ 50 ms (slowest: {step}{when})", big, seconds, 0.050,
                     "≤"))
    for operation, title in (("group", "Grouping"), ("sort", "Sorting")):
        for step, data in results["figures"].get(f"{operation} wTalvor {big}", {}).items():
            rows.append((f"{title} ≤ 300 ms: {step}", big, data["median"], 0.300, "≤"))
            rows.append((f"{title} ≤ 300 ms: {step}, first after a load", big, data["cold"],
                         0.300, "≤"))
    return rows


def targets(results):
    big = results["largestSize"]
    text = results["sizes"][big]["textBytes"]
    memory = median(results, f"memory wTalvor {big} plain")
    load = median(results, f"load wTalvor {big} plain")
    export = median(results, "export wTalvor")
    e2e = median(results, "export e2e wTalvor")
    rows = [
        ("Load ≤ 1.3 × `\\copy` floor (table)", big, ratio(load, median(
            results, f"load copy {big} plain")), 1.3, "≤"),
        ("Load faster than psql (table)", big, ratio(load, median(
            results, f"load psql {big} plain")), 1.0, "<"),
        ("Memory ≤ 1.0 × the result as unaligned text", big,
         ratio(memory * 1024 if memory else None, text), 1.0, "≤"),
    ]
    rows += grid_targets(results, big)
    rows += [
        ("Export ≤ 1.5 × raw libxlsxwriter", results["exportSize"],
         ratio(export, median(results, "export raw constant")), 1.5, "≤"),
        ("Export end to end ≥ 7 × faster than pandas", results["exportSize"],
         ratio(median(results, "export e2e pandas"), e2e), 7.0, "≥"),
        ("Start-up < 300 ms", "", median(results, "startup wTalvor"), 0.300, "<"),
    ]
    return [target_row(*row) for row in rows]


def ratio(a, b):
    return a / b if a is not None and b else None


def target_row(name, size, value, limit, relation):
    if value is None:
        return f"| {name} | {size} | not measured | {relation} {limit:g} | – |"
    met = {"≤": value <= limit, "<": value < limit, "≥": value >= limit}[relation]
    is_time = "ms" in name
    shown = f"{value * 1000:,.1f} ms" if is_time else f"{value:.2f} ×"
    limit_text = f"{limit * 1000:g} ms" if is_time else f"{limit:g} ×"
    return f"| {name} | {size} | {shown} | {relation} {limit_text} | {'met' if met else '**missed**'} |"


# The document --------------------------------------------------------------

def markdown(results):
    lines = header(results)
    lines += ["", "| Size | Documents | Report rows | Result as unaligned text |", "|---|---|---|---|"]
    for name, size in results["sizes"].items():
        lines.append(f"| {name} | {size['documents']:,} | {size['rows']:,} "
                     f"| {size['textBytes'] / MB:,.1f} MB |")
    lines += ["", "### Targets", "", "| Target | Size | Measured | Target | Verdict |",
              "|---|---|---|---|---|"]
    lines += targets(results)
    lines += ["", "### Figures", "",
              "| Figure | Size | Rows | Runs | Median | Min – max | Cold (first after load) | Note |",
              "|---|---|---|---|---|---|---|---|"]
    lines += figure_rows(results)
    return "\n".join(lines) + "\n"


def header(results):
    m, v = results["machine"], results["versions"]
    quiet = max(results["loadAverageAtStart"], results["loadAverageAtEnd"]) < 1.5
    lines = [f"Produced by `{results['command']}` in {results['benchSeconds'] / 60:.1f} min on "
             f"{m['cpu']}, {m['cores']} cores, {m['memoryGb']} GB, {m['system']}, "
             f"Linux {m['kernel']}; load average {results['loadAverageAtStart']:.2f} at the start, "
             f"{results['loadAverageAtEnd']:.2f} at the end.",
             "",
             f"PostgreSQL {v['server']}, Qt {v['libqt6core6']}, libpq {v['libpq5']}, "
             f"libxlsxwriter {v['libxlsxwriter4']}, {v['compiler']}, Python {v['python']}, "
             f"pandas {v['python3-pandas']}, openpyxl {v['python3-openpyxl']}, "
             f"psycopg2 {v['python3-psycopg2']}."]
    if not quiet:
        lines += ["", "**The machine was not quiet during this run (load average 1.5 or more): "
                      "these numbers are not valid measurements.**"]
    return lines


if __name__ == "__main__":
    with open(sys.argv[1]) as results_file:
        print(markdown(json.load(results_file)), end="")
