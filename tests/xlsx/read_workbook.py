"""Prints what a workbook holds as JSON, read by a real reader (openpyxl).

Usage: read_workbook.py FILE
"""
import datetime
import json
import sys

import openpyxl


def colour(c):
    return c.rgb if c is not None and c.type == "rgb" else None


def value_of(v):
    if isinstance(v, (datetime.datetime, datetime.date)):
        return v.isoformat()
    return v


def cell_of(c):
    return {
        "value": value_of(c.value),
        "type": c.data_type,
        "format": c.number_format,
        "font": c.font.name,
        "size": c.font.sz,
        "bold": bool(c.font.b),
        "color": colour(c.font.color),
        "fill": colour(c.fill.fgColor) if c.fill.fill_type == "solid" else None,
    }


def main(path):
    book = openpyxl.load_workbook(path)
    sheet = book.worksheets[0]
    rows = []
    for index, row in enumerate(sheet.iter_rows(), start=1):
        rows.append({
            "level": sheet.row_dimensions[index].outline_level,
            "cells": [cell_of(c) for c in row],
        })
    widths = {k: v.width for k, v in sheet.column_dimensions.items()}
    print(json.dumps({
        "sheets": book.sheetnames,
        "freeze": sheet.freeze_panes,
        "summaryBelow": sheet.sheet_properties.outlinePr.summaryBelow
        if sheet.sheet_properties.outlinePr else None,
        "widths": widths,
        "rows": rows,
    }))


main(sys.argv[1])
