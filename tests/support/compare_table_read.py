#!/usr/bin/python3
"""compare_table_read.py TABLE READ - tells whether what the engine's read interface gave for
TABLE (the file READ: a head line, then one line per record, JSON, bytes in hex) is what an
independent reader finds: header facts, fields, records read, deletion flags, every field's
bytes, and the text of every text memo. Prints each difference and exits 1 when there is one."""
import json, os, subprocess, sys

DUMP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "dbf_dump.py")


def dump(path, *options):
    text = subprocess.run(["/usr/bin/python3", os.environ.get("DBF_DUMP", DUMP), *options, path],
                          check=True, capture_output=True, text=True).stdout
    first, _, rest = text.partition("\n")
    head = json.loads(first[: -len(', "records": [')] + "}")
    return head, [json.loads(line.rstrip(",")) for line in rest.split("\n") if line.startswith("{")]


def latin1_hex(text):
    return text.encode("latin-1").hex()


def main():
    table, read = sys.argv[1], sys.argv[2]
    with open(read) as f:
        lines = [json.loads(line) for line in f]
    ours, our_records = lines[0], lines[1:]
    head, raw = dump(table, "--raw")
    _, parsed = dump(table)
    problems = []
    expected_head = {"version": head["version"], "header": head["header"], "records_read": head["records_read"],
                     "fields": [[latin1_hex(f["name"]), f["type"], f["length"], f["decimals"]] for f in head["fields"]]}
    for key, value in expected_head.items():
        if ours[key] != value:
            problems.append("%s: read %r, expected %r" % (key, ours[key], value))
    for index, (mine, theirs, values) in enumerate(zip(our_records, raw, parsed)):
        if mine["deleted"] != theirs["deleted"] or mine.get("flag") != theirs.get("flag"):
            problems.append("record %d: flag %r, expected %r" % (index, mine, theirs))
        if mine["values"] != [latin1_hex(v) for v in theirs["values"]]:
            problems.append("record %d: bytes %r, expected %r" % (index, mine["values"], theirs["values"]))
        for field, value in enumerate(values["values"]):
            if isinstance(value, dict) and "text" in value and mine["memos"].get(str(field)) != latin1_hex(value["text"]):
                problems.append("record %d field %d: memo %r, expected %r" % (index, field, mine["memos"].get(str(field)), value))
    for line in problems[:20]:
        print(line)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
