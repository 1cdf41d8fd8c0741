#!/usr/bin/env python3
"""Writes the seed inputs of the smart fuzz target: header bytes, then IDENTIFY, attribute and
threshold sectors of a few plausible disks (ATA, ATAPI, full table, cut short)."""
import os
import struct

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "smart")


def seal(sector):
    sector[511] = (-sum(sector[:511])) & 0xFF
    return sector


def ata_string(sector, offset, length, text):
    text = text.ljust(length)[:length].encode()
    for i in range(length):
        sector[offset + (i ^ 1)] = text[i]


def identify(model, serial, sectors, atapi=False):
    s = bytearray(512)
    struct.pack_into("<H", s, 0, 0x85C0 if atapi else 0x0040)
    ata_string(s, 20, 20, serial)
    ata_string(s, 46, 8, "FW 1.0")
    ata_string(s, 54, 40, model)
    struct.pack_into("<HII", s, 98, 0x0200, 0, 0)
    struct.pack_into("<I", s, 120, sectors)
    s[510] = 0xA5
    return seal(s)


def attributes(entries):
    s = bytearray(512)
    s[0] = 0x10
    for i, (aid, flags, value, worst, raw) in enumerate(entries):
        struct.pack_into("<BHBB", s, 2 + 12 * i, aid, flags, value, worst)
        s[2 + 12 * i + 5:2 + 12 * i + 11] = raw.to_bytes(6, "little")
    return seal(s)


def thresholds(entries):
    s = bytearray(512)
    s[0] = 0x10
    for i, (aid, limit) in enumerate(entries):
        s[2 + 12 * i] = aid
        s[2 + 12 * i + 1] = limit
    return seal(s)


def header(drive=0, atapi=False, win9x=False, fail=0, caps=0x7):
    return bytes([drive | (4 if atapi else 0) | (8 if win9x else 0), fail]) + struct.pack("<I", caps)


common = [(1, 0x0F, 100, 100, 0), (9, 0x32, 92, 92, 7342), (194, 0x22, 36, 45, 0x2D00160024)]
seeds = {
    "ata_disk": header() + identify("KORVANE SIM-80 ATA", "KVS0080A1234", 156301488)
    + attributes(common) + thresholds([(1, 6), (9, 0), (194, 0)]),
    "win98_vxd_drive2": header(drive=2, win9x=True) + identify("Simulated Barracuda", "SB1", 268435455)
    + attributes(common) + thresholds([(1, 6)]),
    "atapi_cdrom": header(drive=1, atapi=True) + identify("SIM CD-ROM", "CD1", 0, atapi=True),
    "full_table_dup_ids": header(drive=3) + identify("FULL", "F", 1000)
    + attributes([(194 if i % 7 == 0 else i + 1, i, 200 - i, 100, 2 ** 48 - 1 - i) for i in range(30)])
    + thresholds([(i + 1, i) for i in range(30)]),
    "thresholds_refused": header(fail=0x20) + identify("T", "S", 1) + attributes(common)
    + thresholds([(1, 6)]),
    "thresholds_short": header() + identify("T", "S", 1) + attributes(common) + b"\x10" * 100,
    "identify_short": header() + identify("M", "S", 1)[:300],
    "no_smart_caps": header(caps=0x1) + identify("NOCAPS", "N", 2) + attributes(common),
}
os.makedirs(here, exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
