"""Reads the changed regions' CSV and JSON lists back as other tools would and prints them in
one line: each region of the CSV, whether its lines end in CRLF, and whether the JSON holds
the same regions with numbers as numbers.
usage: changes_lists.py LIST.csv LIST.json"""
import csv
import json
import sys

with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = list(csv.DictReader(f))
print(";".join("{points} {column_first},{row_first}-{column_last},{row_last} x{x_first} "
               "z{z_first} {what}".format(**r) for r in rows), end="|")
with open(sys.argv[1], "rb") as f:
    print("crlf" if f.read().count(b"\r\n") == len(rows) + 1 else "not crlf", end="|")
with open(sys.argv[2], encoding="utf-8") as f:
    doc = json.load(f)
same = len(doc["regions"]) == len(rows) and all(
    type(j[k]) in (int, float) and j[k] == float(r[k])
    for j, r in zip(doc["regions"], rows) for k in r if k != "what")
print(f"json: {doc['summary']['changed_points']} changed, {doc['summary']['regions']} regions,",
      "the same numbers" if same else "other numbers")
