#!/usr/bin/python3
"""compare_repaired_table.py ORIGINAL REPAIRED - tells whether a repaired table holds the
original's fields, records and memo texts, allowing only what a repair may change: names and values
that were not valid for their type (now valid), deleted flags cleared, odd flags made live,
memo pointers without data cleared, header bytes, and extra records made from bytes after
the end mark. Prints every other difference and exits 1 when there is one."""
import datetime, json, os, re, subprocess, sys

DUMP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "dbf_dump.py")


def dump(path):
    text = subprocess.run(["/usr/bin/python3", DUMP, path],
                          check=True, capture_output=True, text=True).stdout
    first, _, rest = text.partition("\n")
    head = json.loads(first[: -len(', "records": [')] + "}")
    records = [json.loads(line.rstrip(",")) for line in rest.split("\n") if line.startswith("{")]
    return head, records


def is_valid(field, value):
    """A value the field rules leave as it is."""
    if isinstance(value, dict):
        return False
    if field["type"] == "D" and isinstance(value, str):
        return 1900 <= datetime.date.fromisoformat(value).year <= 2050
    return True


def value_may_change(field, before, after):
    if before == after:
        return True
    if field["type"] in "DNFL":
        return not is_valid(field, before) and (after is None or is_valid(field, after))
    if field["type"] in "MGPB" and isinstance(before, dict) and "error" in before:
        return after is None
    return False


def same_field(before, after):
    """Equal, or a name the name rule replaces: only an ASCII letter, digit or "_" name stays."""
    keep = re.fullmatch(r"[A-Za-z][A-Za-z0-9_]*", before["name"]) is not None
    return all(before[key] == after[key] for key in before if key != "name" or keep)


def bytes_after_end_mark(path, head):
    h = head["header"]
    return os.path.getsize(path) > h["header_len"] + h["record_count"] * h["record_len"] + 1


def main():
    original, repaired = sys.argv[1], sys.argv[2]
    (ha, ra), (hb, rb) = dump(original), dump(repaired)
    problems = []
    if len(ha["fields"]) != len(hb["fields"]) or not all(map(same_field, ha["fields"], hb["fields"])):
        problems.append("fields differ:\n  %s\n  %s" % (ha["fields"], hb["fields"]))
    if len(rb) < len(ra) or (len(rb) > len(ra) and not bytes_after_end_mark(original, ha)):
        problems.append("records: %d original, %d repaired" % (len(ra), len(rb)))
    for index, (a, b) in enumerate(zip(ra, rb)):
        if b.get("flag") or (b["deleted"] and not a["deleted"]):
            problems.append("record %d: flag %s" % (index, b))
        for field, before, after in zip(ha["fields"], a["values"], b["values"]):
            if not value_may_change(field, before, after):
                problems.append("record %d field %s: %r became %r" % (index, field["name"], before, after))
    for line in problems[:20]:
        print(line)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
