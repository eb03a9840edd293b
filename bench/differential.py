#!/usr/bin/python3
"""differential.py --base LIB --new LIB [--seeds DIR] [--rounds N] - repairs the same inputs with two
builds of libmendrel.so and compares what each wrote (every output file, byte for byte) and every
event it sent (code, text, percent, in order, with the stop answers the input asks for).

Inputs: every fixture table with its memo file (desktop options, and the options of the fuzz seed
corpus's second variant); the repair seeds of the fuzz corpus (fuzz/seed_corpus.cpp writes them:
fuzz_seed_corpus DIR, then --seeds DIR/repair); the damaged copies bench/fidelity.py makes, each
damage drawn --rounds times; and --mutations copies of each fixture with a few bytes of its head
(header, descriptors and the first bytes after them) changed at random. Each repair runs in a process of its own, so that the generated field
names of one run do not depend on the runs before it.

A difference is explained when one of the repair's rules that reach beyond the header's word can
apply to its input; the script checks their preconditions on the input itself:
  record start  - the descriptor list ends at a 0x0D byte where the header length does not point;
  lost descriptor - one block of a list that ends where the header length says stands out;
  FPT block size - the FPT memo file's header holds block size 0.
Differences with none of these are listed as unexplained. Run with Debian's /usr/bin/python3.
"""
import argparse, ctypes, os, pickle, random, shutil, sys, tempfile
from collections import Counter

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import fidelity  # noqa: E402  (damages, fixture lookup, the engine binding)

EVT_PROGRESS, EVT_QUERY_STOP = 0, 51
SPLIT_VFP_OPTIONS = 0x0008080C   # split at 8 fields, read memo, Visual FoxPro output
KNOWN_TYPES = set(b"BCDFGILMNPTVXY")
FAMILY_TYPES = KNOWN_TYPES | set(b"0QW")
FAMILY = (0x30, 0x31, 0x32)
BELIEVED_GAPS = (0, 1, 263, 264)


class Case:
    def __init__(self, name, table, memo=None, memo_ext=".dbt", options=fidelity.DEFAULT_OPTIONS, stop_from=0,
                 upper=False):
        self.group = None
        self.name, self.table, self.memo, self.memo_ext = name, bytes(table), memo, memo_ext
        self.options, self.stop_from, self.upper = options, stop_from, upper


# Preconditions of the rules, read from the input as the engine reads it.
def is_system_field(block):
    return block[11] == ord("0") and block[18] & 1


def is_field_name(name):
    """A letter, then letters, digits or "_"."""
    return len(name) > 0 and chr(name[0]).isascii() and chr(name[0]).isalpha() and \
        all(chr(b).isascii() and (chr(b).isalnum() or b == ord("_")) for b in name[1:])


def name_up_to_nul(block):
    nul = block.find(0, 0, 11)
    return block[:11 if nul < 0 else nul]


def is_plausible(block, version):
    if is_system_field(block):
        return True
    name = name_up_to_nul(block)
    name_ok = is_field_name(name) and all(b == 0 for b in block[len(name):11])
    type_ok = block[11] in (FAMILY_TYPES if version in FAMILY else KNOWN_TYPES)
    return name_ok + type_ok + (block[16] != 0) >= 2


def scan_end(data, stop_from):
    """Where the descriptor scan stops, and whether a stop request stopped it."""
    h, r, version = int.from_bytes(data[8:10], "little"), int.from_bytes(data[10:12], "little"), data[0]
    expected = (h - 33) // 32 if h >= 65 and (h - 1) % 32 == 0 else \
        (h - 296) // 32 if h >= 328 and (h - 8) % 32 == 0 else None
    position, count, total, queries = 32, 0, 1, 0
    while True:
        queries += 1
        if stop_from and queries >= stop_from:
            return position, True
        if count >= 2046 or (expected is not None and count == expected) or (r and total & 0xFFFF == r):
            return position, False
        if position >= len(data) or data[position] == 0x0D:
            return position, False
        block = data[position:position + 32]
        if not is_plausible(block.ljust(32, b"\0"), version):
            return position, False
        count += 1
        total += block[16] if len(block) > 16 else 0
        position += len(block)
        if len(block) < 32:
            return position, False


def record_start_may_apply(case):
    data = case.table
    if len(data) < 32:
        return False
    end, stopped = scan_end(data, case.stop_from)
    h = int.from_bytes(data[8:10], "little")
    return not stopped and end < len(data) and data[end] == 0x0D and h - (end + 1) not in BELIEVED_GAPS


def lost_descriptor_may_apply(case):
    data = case.table
    if len(data) < 32 or int.from_bytes(data[10:12], "little") < 2:
        return False
    h, version = int.from_bytes(data[8:10], "little"), data[0]
    blocks, position = [], 32
    while position < min(h, len(data)) and data[position] != 0x0D:
        blocks.append(data[position:position + 32].ljust(32, b"\0"))
        position += 32
    if position >= min(h, len(data)) or len(blocks) < 2 or h - (32 * len(blocks) + 33) not in BELIEVED_GAPS:
        return False
    if not is_plausible(blocks[0], version):
        return False
    # The lost block: the one implausible block, else (a record length the list does not
    # explain) the one with a name no field may have. Width and records are left to the engine.
    candidates = [i for i, block in enumerate(blocks) if not is_plausible(block, version)]
    if not candidates:
        def valid(block):
            name = name_up_to_nul(block)
            return is_field_name(name[1:] if is_system_field(block) and name[:1] == b"_" else name)
        candidates = [i for i, block in enumerate(blocks) if not valid(block)]
    return len(candidates) == 1 and candidates[0] >= 1


def fpt_block_size_may_apply(case):
    return case.memo is not None and case.memo_ext == ".fpt" and int.from_bytes(case.memo[6:8].ljust(2, b"\0"),
                                                                                 "big") == 0


RULES = [("record start", record_start_may_apply), ("lost descriptor", lost_descriptor_may_apply),
         ("FPT block size", fpt_block_size_may_apply)]


# Running one case with one library, in a child process.
def run_case(engine, case, folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    name = "T.DBF" if case.upper else "t.dbf"
    source, output = os.path.join(folder, name), os.path.join(folder, "out.dbf")
    with open(source, "wb") as f:
        f.write(case.table)
    if case.memo is not None:
        memo_name = ("T" + case.memo_ext.upper()) if case.upper else ("t" + case.memo_ext)
        with open(os.path.join(folder, memo_name), "wb") as f:
            f.write(case.memo)
    before = {n: open(os.path.join(folder, n), "rb").read() for n in os.listdir(folder)}
    events, queries = [], [0]

    def callback(code, data, user):
        if code == EVT_PROGRESS:
            events.append((code, ctypes.cast(data, ctypes.POINTER(ctypes.c_uint8))[0]))
        elif code == EVT_QUERY_STOP:
            queries[0] += 1
            events.append((code, None))
            return 1 if case.stop_from and queries[0] >= case.stop_from else 0
        else:
            events.append((code, ctypes.cast(data, ctypes.c_char_p).value))
        return 0

    engine.callback = fidelity_callback_type(callback)
    result = engine.run(source, output, options=case.options)
    files = {n: open(os.path.join(folder, n), "rb").read() for n in sorted(os.listdir(folder))}
    sources_kept = all(files.get(n) == b for n, b in before.items())
    return result, events, files, sources_kept


fidelity_callback_type = ctypes.CFUNCTYPE(ctypes.c_int32, ctypes.c_int32, ctypes.c_void_p, ctypes.c_void_p)


def in_child(function, *args):
    """function(*args) in a forked process; its pickled result."""
    read, write = os.pipe()
    pid = os.fork()
    if pid == 0:
        os.close(read)
        try:
            payload = pickle.dumps(("ok", function(*args)))
        except BaseException as failure:  # the parent reports it
            payload = pickle.dumps(("failed", repr(failure)))
        with os.fdopen(write, "wb") as pipe:
            pipe.write(payload)
        os._exit(0)
    os.close(write)
    with os.fdopen(read, "rb") as pipe:
        status, value = pickle.loads(pipe.read())
    os.waitpid(pid, 0)
    if status != "ok":
        raise RuntimeError(value)
    return value


# The inputs.
def memo_beside(path):
    folder, stem = os.path.dirname(path), os.path.splitext(os.path.basename(path))[0].lower()
    for name in sorted(os.listdir(folder)):
        for ext in (".dbt", ".fpt"):
            if name.lower() == stem + ext:
                return open(os.path.join(folder, name), "rb").read(), ext
    return None, ".dbt"


def fixture_cases(fixtures):
    for path in fidelity.fixture_tables(fixtures):
        memo, ext = memo_beside(path)
        table = open(path, "rb").read()
        relative = os.path.relpath(path, fixtures)
        yield Case("fixture " + relative, table, memo, ext)
        yield Case("fixture split/vfp " + relative, table, memo, ext, options=SPLIT_VFP_OPTIONS)


def seed_cases(folder):
    for name in sorted(os.listdir(folder), key=lambda n: (len(n), n)):
        data = open(os.path.join(folder, name), "rb").read().ljust(9, b"\0")
        options, control = int.from_bytes(data[0:4], "little"), data[4]
        length = min(int.from_bytes(data[5:9], "little"), len(data) - 9)
        table, memo = data[9:9 + length], data[9 + length:]
        yield Case("seed " + name, table, None if control & 0x04 else memo, ".fpt" if control & 0x01 else ".dbt",
                   options, control >> 3, bool(control & 0x02))


def damaged_cases(fixtures, dump, rounds):
    for path in fidelity.fixture_tables(fixtures):
        head, _ = fidelity.dump(dump, path)
        if not head["fields"]:
            continue
        relative = os.path.relpath(path, fixtures)
        for kind, damage in fidelity.DAMAGES:
            for round_ in range(rounds):
                table = fidelity.Table(path, head)
                seed = relative + kind + ("" if round_ == 0 else str(round_))
                if damage(table, random.Random(seed)) is None:
                    continue
                ext = os.path.splitext(table.memo_name)[1].lower() if table.memo_name else ".dbt"
                case = Case("damaged %s [%s #%d]" % (relative, kind, round_), table.dbf,
                            bytes(table.memo) if table.memo is not None else None, ext)
                case.group = "damaged: " + kind
                yield case


def mutated_cases(fixtures, count):
    for path in fidelity.fixture_tables(fixtures):
        memo, ext = memo_beside(path)
        table = open(path, "rb").read()
        relative = os.path.relpath(path, fixtures)
        head = min(len(table), int.from_bytes(table[8:10], "little") + 64)
        for round_ in range(count):
            rng, mutated = random.Random("%s mutated %d" % (relative, round_)), bytearray(table)
            for _ in range(rng.randint(1, 4)):
                mutated[rng.randrange(head)] = rng.randrange(256)
            case = Case("mutated %s #%d" % (relative, round_), mutated, memo, ext)
            case.group = "mutated heads"
            yield case


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--base", required=True, help="libmendrel.so taken as the reference")
    ap.add_argument("--new", required=True, help="libmendrel.so compared with it")
    ap.add_argument("--fixtures", default=os.path.join(fidelity.TESTS, "data"))
    ap.add_argument("--dump", default=os.path.join(fidelity.TESTS, "support", "dbf_dump.py"))
    ap.add_argument("--seeds", help="folder of repair seeds written by fuzz_seed_corpus")
    ap.add_argument("--rounds", type=int, default=3, help="draws of each damage per table")
    ap.add_argument("--mutations", type=int, default=20, help="copies of each fixture with a mutated head")
    ap.add_argument("--verbose", action="store_true", help="list every differing case")
    a = ap.parse_args()
    engines = {"base": fidelity.Engine(a.base), "new": fidelity.Engine(a.new)}
    groups = [("fixtures", fixture_cases(a.fixtures)), ("damaged copies", damaged_cases(a.fixtures, a.dump, a.rounds)),
              ("mutated heads", mutated_cases(a.fixtures, a.mutations))]
    if a.seeds:
        groups.insert(1, ("fuzz seeds", seed_cases(a.seeds)))
    unexplained, total, order = [], Counter(), []
    with tempfile.TemporaryDirectory() as work:
        for kind, cases in groups:
            for case in cases:
                group = case.group or kind
                if group not in order:
                    order.append(group)
                outcomes = {side: in_child(run_case, engine, case, os.path.join(work, "run"))
                            for side, engine in engines.items()}
                if not all(kept for _, _, _, kept in outcomes.values()):
                    unexplained.append("%s: a source file was changed" % case.name)
                total[group, "cases"] += 1
                if outcomes["base"][:3] == outcomes["new"][:3]:
                    continue
                total[group, "differ"] += 1
                rules = [name for name, applies in RULES if applies(case)]
                for rule in rules:
                    total[group, rule] += 1
                if a.verbose:
                    print("differs: %-70s %s" % (case.name, ", ".join(rules) or "NO RULE"))
                if not rules:
                    unexplained.append(case.name)
    for group in order:
        print("%-42s %4d repairs, %4d differ (%s)" % (
            group, total[group, "cases"], total[group, "differ"],
            ", ".join("%s may apply: %d" % (name, total[group, name]) for name, _ in RULES)))
    print("unexplained: %d" % len(unexplained))
    for line in unexplained:
        print("  " + line)
    return 1 if unexplained else 0


if __name__ == "__main__":
    sys.exit(main())
