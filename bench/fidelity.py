#!/usr/bin/python3
"""fidelity.py --library PATH [--fixtures DIR] [--rounds N] [--detail] - damages every real
table of tests/data in the ways real tables get damaged, repairs each damaged copy through the
engine library (ordinal 1, default options; ordinal 11 with the undamaged table as template for
the damage that calls for one, when the library has it) and counts, per kind of damage, the
original records that come back intact. Both the original and the repaired table are read with
the independent tests/support/dbf_dump.py, so the count does not depend on our own reading of
either.

A record is intact when a repaired record holds the same values; values the field rules are
allowed to mend (invalid numbers, dates, logicals, memo pointers without data) are not compared.
Each repaired record stands for at most one original record. "untouched" counts the records whose
values the damage left alone, the most a repair can usually give back (a touched record may still
come back whole, when the bytes it lost were spaces or the same as before). Run with Debian's
/usr/bin/python3.
"""
import argparse, contextlib, ctypes, io, json, os, random, runpy, shutil, subprocess, sys, tempfile
from collections import Counter

HERE = os.path.dirname(os.path.abspath(__file__))
TESTS = os.path.join(HERE, "..", "tests")
DEFAULT_OPTIONS = 0x00FF001B      # recover deleted, repair dates, split, read memo, skip zero memo
MASK_KEY = 0x5A
VFP_VERSIONS = (0x30, 0x31, 0x32)
SECTOR = 512
TEMPLATE_ORDINAL = 11
FPT_BLOCK = 512           # the block size of the FPT files the 512-byte damage is made on


def ordinal_count(path):
    """Entries of the library's ordinal table, from the size of its symbol."""
    out = subprocess.run(["nm", "-D", "-S", "--defined-only", path], capture_output=True, text=True).stdout
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 4 and parts[3] == "MendrelOrdinals":
            return int(parts[1], 16) // ctypes.sizeof(ctypes.c_void_p)
    return 0


class Engine:
    """The repair entries of libmendrel.so, called as the application calls them."""

    def __init__(self, path, callback=None):
        self.lib = ctypes.CDLL(os.path.abspath(path))
        count = ordinal_count(os.path.abspath(path))
        ordinals = (ctypes.c_void_p * count).in_dll(self.lib, "MendrelOrdinals")
        entry = ctypes.CFUNCTYPE(ctypes.c_int32, ctypes.c_void_p)
        self.repair = entry(ordinals[1])
        self.repair_ex = entry(ordinals[TEMPLATE_ORDINAL]) if count > TEMPLATE_ORDINAL else None
        self.callback = callback    # a ctypes CFUNCTYPE(c_int32, c_int32, c_void_p, c_void_p) or None

    def run(self, source, output, template=None, options=DEFAULT_OPTIONS):
        """Ordinal 1, or ordinal 11 with a template when the library has it."""
        texts = [ctypes.create_string_buffer(p.encode()) for p in (source, output, template or "")]
        callback = ctypes.cast(self.callback, ctypes.c_void_p).value if self.callback else 0
        slots = [ctypes.addressof(texts[0]), 0, options, ctypes.addressof(texts[1]), callback or 0, 0]
        if template and self.repair_ex:
            slots = [8 * 8] + slots + [ctypes.addressof(texts[2])]
        raw = bytes(b ^ MASK_KEY for b in bytes((ctypes.c_uint64 * len(slots))(*slots)))
        block = ctypes.create_string_buffer(raw, len(raw))
        entry = self.repair_ex if len(slots) > 6 else self.repair
        return entry(ctypes.addressof(block))


def dump(tool, table):
    """dbf_dump.py's reading of a table: its head and its records."""
    out = io.StringIO()
    argv = sys.argv
    try:
        sys.argv = [tool, table]
        with contextlib.redirect_stdout(out):
            runpy.run_path(tool, run_name="__main__")
    finally:
        sys.argv = argv
    first, _, rest = out.getvalue().partition("\n")
    head = json.loads(first[: -len(', "records": [')] + "}")
    return head, [json.loads(line.rstrip(","))["values"] for line in rest.split("\n") if line.startswith("{")]


def is_stable(field, value):
    """A value that a repair keeps as it is."""
    if isinstance(value, dict):
        return "invalid" not in value and "error" not in value
    if field["type"] == "D" and isinstance(value, str):
        return 1900 <= int(value[:4]) <= 2050
    return True


def count_intact(fields, originals, repaired):
    """How many original records a repaired record matches, each repaired record used once."""
    key = lambda values: json.dumps(values, sort_keys=True)
    pool = Counter(key(values) for values in repaired if len(values) == len(fields))
    loose, intact = [], 0
    for values in originals:
        if all(map(is_stable, fields, values)):
            if pool[key(values)] > 0:
                pool[key(values)] -= 1
                intact += 1
        else:
            loose.append(values)
    left = [values for values in repaired if pool[key(values)] > 0 and len(values) == len(fields)]
    for values in loose:
        for i, candidate in enumerate(left):
            if all(not is_stable(f, a) or a == b for f, a, b in zip(fields, values, candidate)):
                del left[i]
                intact += 1
                break
    return intact


class Table:
    """One fixture table's files as bytes, with its layout read from the undamaged original."""

    def __init__(self, path, head):
        self.name = os.path.basename(path)
        self.dbf = bytearray(open(path, "rb").read())
        folder = os.path.dirname(path)
        self.memo_name = head["memo_file"]
        self.memo = bytearray(open(os.path.join(folder, self.memo_name), "rb").read()) if self.memo_name else None
        h = head["header"]
        self.header_len, self.record_len = h["header_len"], h["record_len"]
        self.records = min(h["record_count"], max(0, (len(self.dbf) - self.header_len) // max(1, self.record_len)))
        self.fields, self.version = head["fields"], int(head["version"], 16)
        self.template = None      # the undamaged table, for the damage that repairs with one

    def record_start(self, index):
        return self.header_len + index * self.record_len

    def terminator(self):
        position = 32
        while position < self.header_len and self.dbf[position] != 0x0D:
            position += 32
        return position

    def descriptor_count(self):
        return (self.terminator() - 32) // 32

    def memo_fields(self):
        """(offset in the record, length) of every field that holds a memo block number."""
        memo_types = "MGP" + ("" if self.version in VFP_VERSIONS else "B")
        offset, found = 1, []
        for f in self.fields:
            if f["type"] in memo_types or (self.version in VFP_VERSIONS and f["type"] == "W" and f["length"] == 4):
                found.append((offset, f["length"]))
            offset += f["length"]
        return found


# Each damage edits a table's bytes in place and returns the indexes of the records whose
# values it touched; None when it does not apply to the table.
def undamaged(t, rng):
    return set()


def truncated(t, rng):
    if t.records < 2:
        return None
    del t.dbf[t.record_start(t.records // 2) + t.record_len // 2:]
    return set(range(t.records // 2, t.records))


def header_hints_zeroed(t, rng):
    t.dbf[4:12] = bytes(8)
    return set()


def terminator_cut(t, rng):
    position = t.terminator()
    if position >= len(t.dbf) or t.dbf[position] != 0x0D:
        return None
    del t.dbf[position]
    return set()


def end_mark_inside(t, rng):
    if t.records < 2:
        return None
    t.dbf[t.record_start(t.records // 2)] = 0x1A  # a flag, not a value
    return set()


def values_scrambled(t, rng):
    if t.records == 0 or t.record_len < 2:
        return None
    for index in range(0, t.records, 7):
        start = t.record_start(index) + 1 + rng.randrange(t.record_len - 1)
        end = min(start + rng.randint(1, 8), t.record_start(index + 1))
        t.dbf[start:end] = bytes(rng.randrange(256) for _ in range(end - start))
    return set(range(0, t.records, 7))


def sector_zeroed(t, rng):
    if t.records < 2:
        return None
    start = t.record_start(t.records // 2) // SECTOR * SECTOR
    t.dbf[start:start + SECTOR] = bytes(len(t.dbf[start:start + SECTOR]))
    return {i for i in range(t.records) if t.record_start(i) < start + SECTOR and t.record_start(i + 1) > start}


def memo_header_zeroed(t, rng):
    if not t.memo or not t.memo_fields():
        return None
    t.memo[0:SECTOR] = bytes(len(t.memo[0:SECTOR]))
    return set()


def memo_pointers_damaged(t, rng):
    fields = t.memo_fields()
    if not t.memo or not fields or t.records == 0:
        return None
    beyond, touched = len(t.memo) + 1, set()
    for index in range(0, t.records, 4):
        offset, length = rng.choice(fields)
        at = t.record_start(index) + offset
        if not t.dbf[at:at + length].strip(b" 0\0"):
            continue  # no memo to lose
        if length == 4 and t.version in VFP_VERSIONS:
            t.dbf[at:at + 4] = (0x7FFFFFF0).to_bytes(4, "little")
        else:
            t.dbf[at:at + length] = str(beyond).rjust(length)[-length:].encode()
        touched.add(index)
    return touched


def header_garbage(t, rng):
    t.dbf[0:32] = bytes(rng.randrange(256) for _ in range(32))
    return set()


def one_garbage_descriptor(t, rng):
    count = t.descriptor_count()
    if count < 2:
        return None
    at = 32 + 32 * rng.randrange(1, count)   # the first one lost leaves nothing to measure by
    t.dbf[at:at + 32] = bytes(rng.randrange(256) for _ in range(32))
    return set()


def header_lost_with_template(t, rng):
    t.template = bytes(t.dbf)
    t.dbf[0:t.header_len] = bytes(t.header_len)
    return set()


def memo_pointer(field):
    """The block number a memo field holds: binary in a 4-byte field with a byte other than a
    space or a digit, else right-aligned digits."""
    if len(field) == 4 and any(b not in b" 0123456789" for b in field):
        return int.from_bytes(field, "little"), True
    digits = field.split(b"\0")[0].strip()
    return (int(digits) if digits.isdigit() else 0), False


def with_fpt_blocks(t, block_size):
    """Lays the table's FPT memos out anew in blocks of block_size, the pointers following."""
    old_size = int.from_bytes(t.memo[6:8], "big") or 64
    memo, moved = bytearray(SECTOR), {}
    for index in range(t.records):
        for offset, length in t.memo_fields():
            at = t.record_start(index) + offset
            block, binary = memo_pointer(bytes(t.dbf[at:at + length]))
            start = block * old_size
            if block == 0 or start + 8 > len(t.memo):
                continue
            if block not in moved:
                size = int.from_bytes(t.memo[start + 4:start + 8], "big")
                memo += bytes(-len(memo) % block_size)
                moved[block] = len(memo) // block_size
                memo += t.memo[start:start + 8 + size]
            new = moved[block]
            t.dbf[at:at + length] = new.to_bytes(4, "little") if binary else str(new).rjust(length).encode()
    memo += bytes(-len(memo) % block_size)
    memo[0:4] = (len(memo) // block_size).to_bytes(4, "big")
    memo[6:8] = block_size.to_bytes(2, "big")
    t.memo = memo


def memo_header_zeroed_on_512_fpt(t, rng):
    if not t.memo or not t.memo_fields() or not t.memo_name.lower().endswith(".fpt"):
        return None
    with_fpt_blocks(t, FPT_BLOCK)
    t.memo[0:SECTOR] = bytes(SECTOR)
    return set()


DAMAGES = [("none", undamaged), ("truncated", truncated), ("header hints zeroed", header_hints_zeroed),
           ("terminator cut", terminator_cut), ("0x1A inside records", end_mark_inside),
           ("values scrambled", values_scrambled), ("sector zeroed", sector_zeroed),
           ("memo header zeroed", memo_header_zeroed), ("memo pointers damaged", memo_pointers_damaged),
           ("header garbage", header_garbage), ("one garbage descriptor", one_garbage_descriptor),
           ("header lost + template", header_lost_with_template),
           ("memo header zeroed on 512-byte FPT", memo_header_zeroed_on_512_fpt)]


def fixture_tables(folder):
    return sorted(os.path.join(root, name) for root, _, names in os.walk(folder)
                  for name in names if name.lower().endswith(".dbf"))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--library", required=True, help="libmendrel.so to measure")
    ap.add_argument("--fixtures", default=os.path.join(TESTS, "data"))
    ap.add_argument("--dump", default=os.path.join(TESTS, "support", "dbf_dump.py"))
    ap.add_argument("--detail", action="store_true", help="also list every table that lost records")
    ap.add_argument("--rounds", type=int, default=1, help="draws of each damage per table (tables counted per draw)")
    a = ap.parse_args()
    engine = Engine(a.library)
    totals = {name: [0, 0, 0, 0] for name, _ in DAMAGES}   # tables, records, untouched, intact
    details = []
    with tempfile.TemporaryDirectory() as work:
        for path in fixture_tables(a.fixtures):
            head, originals = dump(a.dump, path)
            if not head["fields"]:
                continue
            relative = os.path.relpath(path, a.fixtures)
            for kind, damage in DAMAGES:
                for draw in range(a.rounds):
                    table = Table(path, head)
                    touched = damage(table, random.Random(relative + kind + (str(draw) if draw else "")))
                    if touched is None:
                        continue
                    intact = repair_and_count(engine, a.dump, os.path.join(work, kind.replace(" ", "_")), table,
                                              head["fields"], originals)
                    untouched = len(originals) - len(touched)
                    for i, value in enumerate((1, len(originals), untouched, intact)):
                        totals[kind][i] += value
                    if intact < untouched:
                        details.append("%-34s %-50s %5d of %5d" % (kind, relative, intact, untouched))
    if not engine.repair_ex:
        print("(no ordinal %d: the template damage is repaired without its template)" % TEMPLATE_ORDINAL)
    print("%-34s %6s %8s %9s %8s %7s" % ("damage", "tables", "records", "untouched", "intact", "share"))
    for kind, _ in DAMAGES:
        tables, records, untouched, intact = totals[kind]
        print("%-34s %6d %8d %9d %8d %6.1f%%" % (kind, tables, records, untouched, intact,
                                                 100.0 * intact / max(1, untouched)))
    if a.detail:
        print("\nTables that lost untouched records (damage, table, intact of untouched):")
        print("\n".join(details))


def repair_and_count(engine, tool, folder, table, fields, originals):
    """Writes the damaged copy, repairs it and counts the original records it kept."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    source, output = os.path.join(folder, table.name), os.path.join(folder, "fixed_" + table.name)
    template = os.path.join(folder, "template_" + table.name) if table.template else None
    with open(source, "wb") as f:
        f.write(table.dbf)
    if template:
        with open(template, "wb") as f:
            f.write(table.template)
    if table.memo is not None:
        with open(os.path.join(folder, table.memo_name), "wb") as f:
            f.write(table.memo)
    if engine.run(source, output, template) != 1 or not os.path.exists(output):
        return 0
    return count_intact(fields, originals, dump(tool, output)[1])

if __name__ == "__main__":
    main()
