#!/usr/bin/env python3
"""Writes the bundled damaged sample: samples/customers.dbf and its memo file
samples/customers.dbt (dBASE III with memo).

The damage, on purpose:
  - the header: a date of month 13, day 40, and a record count of 99 (there are 12);
  - field 2's name holds a stray byte (0x9F), field 3's type byte is garbage (0x07);
  - dates that cannot be: month 13 and day 45, 30 February, 1899, and one all NUL;
  - a logical value "X", a number "12.5ab";
  - a memo pointer to block 9999, far past the end of the memo file;
  - the last record is cut short, and the end mark is gone.
Run it from anywhere; it writes the same bytes every time.
"""
import os
import struct
import sys

MEMO_BLOCK = 512
MEMO_END = b"\x1a\x1a"
FIELD_LIST_END = b"\x0d"

# name bytes, type byte, length, decimals
FIELDS = [
    (b"ID", b"N", 4, 0),
    (b"CUST\x9fNAME", b"C", 20, 0),
    (b"CITY", b"\x07", 12, 0),
    (b"JOINED", b"D", 8, 0),
    (b"ACTIVE", b"L", 1, 0),
    (b"BALANCE", b"N", 9, 2),
    (b"NOTES", b"M", 10, 0),
]

MEMOS = [
    b"Prefers email. Renewed the yearly plan in March.",
    b"Called twice about the invoice.\r\nAsked for a paper copy.",
    b"Long-standing customer since the Oslo office opened. " * 12,
    b"Moved to a new address in Prague.",
    b"Joined on a leap day.",
    b"VIP: discount 10% on all orders until further notice.",
]

# flag, id, name, city, date, logical, balance, memo index (None: no memo, "bad": bad pointer)
RECORDS = [
    (b" ", 1, "Alice Martin", "Lyon", b"20190314", b"T", b"  1520.50", 0),
    (b" ", 2, "Bruno Keller", "Basel", b"20201345", b"Y", b"    89.90", 1),
    (b"*", 3, "Chloe Dubois", "Paris", b"20210230", b"F", b"   410.00", None),
    (b" ", 4, "Daniel Ortiz", "Madrid", b"20220707", b"X", b"   12.5ab", "bad"),
    (b" ", 5, "Emma Larsen", "Oslo", b"20180101", b"T", b"   300.00", 2),
    (b" ", 6, "Farid Haddad", "Marseille", b"\0" * 8, b"N", b"     0.00", None),
    (b" ", 7, "Greta Novak", "Prague", b"20231105", b"t", b"  2750.75", 3),
    (b" ", 8, "Hugo Silva", "Lisbon", b"19991231", b"F", b"    15.00", None),
    (b" ", 9, "Ines Moreau", "Nantes", b"20240229", b"T", b"   640.40", 4),
    (b" ", 10, "Jonas Berg", "Bergen", b"18991231", b"Y", b"   -42.00", None),
    (b" ", 11, "Karin Wolf", "Vienna", b"20230615", b"T", b"   999.99", 5),
    (b" ", 12, "Luca Ferrari", "Turin", b"20200520", b"T", b"   120.00", None),
]
TRUNCATED_LAST_RECORD = 30  # bytes of the last record that survived
BAD_MEMO_BLOCK = 9999


def header(record_count, field_count, record_length):
    header_length = 32 + 32 * field_count + 1
    # version 0x83 (dBASE III with memo), date 2024-13-40 (broken)
    return struct.pack("<BBBBIHH20x", 0x83, 124, 13, 40, record_count, header_length, record_length)


def descriptor(name, type_byte, length, decimals):
    return name.ljust(11, b"\0") + type_byte + b"\0" * 4 + bytes([length, decimals]) + b"\0" * 14


def memo_file():
    blocks = []
    data = bytearray(MEMO_BLOCK)
    next_block = 1
    for memo in MEMOS:
        blocks.append(next_block)
        body = memo + MEMO_END
        used = -(-len(body) // MEMO_BLOCK)
        data += body + b" " * (used * MEMO_BLOCK - len(body))
        next_block += used
    data[0:4] = struct.pack("<I", next_block)
    return bytes(data), blocks


def record(entry, memo_blocks):
    flag, number, name, city, date, logical, balance, memo = entry
    if memo is None:
        pointer = b" " * 10
    elif memo == "bad":
        pointer = str(BAD_MEMO_BLOCK).rjust(10).encode()
    else:
        pointer = str(memo_blocks[memo]).rjust(10).encode()
    return (flag + str(number).rjust(4).encode() + name.encode().ljust(20) +
            city.encode().ljust(12) + date + logical + balance + pointer)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "samples")
    record_length = 1 + sum(f[2] for f in FIELDS)
    memo, memo_blocks = memo_file()
    table = bytearray(header(99, len(FIELDS), record_length))
    for field in FIELDS:
        table += descriptor(*field)
    table += FIELD_LIST_END
    for entry in RECORDS:
        body = record(entry, memo_blocks)
        assert len(body) == record_length
        table += body
    del table[len(table) - record_length + TRUNCATED_LAST_RECORD:]
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "customers.dbf"), "wb") as out:
        out.write(table)
    with open(os.path.join(folder, "customers.dbt"), "wb") as out:
        out.write(memo)


if __name__ == "__main__":
    main()
