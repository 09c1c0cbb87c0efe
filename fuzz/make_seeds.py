#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz harnesses into fuzz/corpus/.

Usage: fuzz/make_seeds.py RESOURCE_FILE STATE_FILE

RESOURCE_FILE is the application's compiled resource file (its pictures and
colour icons become seeds too); STATE_FILE a state file made by `macsim create`.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def put(harness, name, data):
    folder = os.path.join(HERE, "corpus", harness)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def resources(fork):
    """(type, id, data) of every resource in a resource fork."""
    data_off, map_off = struct.unpack(">II", fork[0:8])
    m = fork[map_off:]
    type_list = struct.unpack(">H", m[24:26])[0]
    types = m[type_list:]
    count = struct.unpack(">H", types[0:2])[0] + 1
    for t in range(count):
        rtype, n, ref_off = struct.unpack(">4sHH", types[2 + 8 * t:10 + 8 * t])
        for r in range(n + 1):
            ref = types[ref_off + 12 * r:ref_off + 12 * (r + 1)]
            rid = struct.unpack(">h", ref[0:2])[0]
            off = int.from_bytes(ref[5:8], "big")
            length = struct.unpack(">I", fork[data_off + off:data_off + off + 4])[0]
            yield rtype.decode("mac-roman"), rid, fork[data_off + off + 4:data_off + off + 4 + length]


def prefs_record(version, fill=1):
    return struct.pack(">II4BI", version, 1, fill, fill, 0, fill, 4) + bytes([fill, 0] * 8) + bytes([0, 0, 0, 0])


def appledouble(finder_info, fork):
    header = struct.pack(">II16sH", 0x00051607, 0x00020000, b"Mac OS X        ", 2)
    first = 26 + 2 * 12
    entries = struct.pack(">III", 9, first, len(finder_info)) + struct.pack(
        ">III", 2, first + len(finder_info), len(fork))
    return header + entries + finder_info + fork


def main():
    rsrc_path, state_path = sys.argv[1:3]
    with open(rsrc_path, "rb") as f:
        fork = f.read()
    with open(state_path, "rb") as f:
        state = f.read()

    put("fuzz_resource_fork", "application", fork)
    empty = bytearray(286)
    struct.pack_into(">IIII", empty, 0, 256, 256, 0, 30)
    struct.pack_into(">IIII", empty, 256, 256, 256, 0, 30)
    struct.pack_into(">HH", empty, 256 + 24, 28, 30)
    struct.pack_into(">H", empty, 256 + 28, 0xFFFF)
    put("fuzz_resource_fork", "empty", bytes(empty))

    for rtype, rid, data in resources(fork):
        if rtype == "PICT":
            put("fuzz_picture", "pict-%d" % rid, data)
        elif rtype == "cicn":
            put("fuzz_color_icon", "cicn-%d" % rid, data)

    put("fuzz_machine_state", "sawtooth-400", state)
    put("fuzz_machine_state", "bad-line", state.replace(b"hid0 = ", b"hid0 : ", 1))
    put("fuzz_machine_state", "twice", state + state.splitlines(True)[-1])

    for v in (1, 2, 3, 4):
        put("fuzz_prefs_file", "version-%d" % v, prefs_record(v))
    put("fuzz_prefs_file", "version-5", prefs_record(5))
    put("fuzz_prefs_file", "version-0", prefs_record(0))
    put("fuzz_prefs_file", "short-2", prefs_record(2)[:20])
    put("fuzz_prefs_file", "three-bytes", b"\0\0\0")
    put("fuzz_prefs_file", "long-4", prefs_record(4, 7) + b"extra bytes")

    finder = b"prefG3TW" + bytes(24)
    put("fuzz_appledouble", "info-only", appledouble(finder, b"")[:-0 or None])
    put("fuzz_appledouble", "with-fork", appledouble(finder, bytes(empty)))

    args = {
        "display": [b"-d"],
        "ratio-size": [b"-s", b"1024", b"-r", b"3.0", b"-d"],
        "off": [b"-d", b"-off"],
        "bad-ratio": [b"-r", b"2"],
        "missing": [b"-r"],
        "twice": [b"-r", b"2.0", b"-r", b"1.5"],
        "unknown": [b"-x"],
    }
    for name, words in args.items():
        put("fuzz_cache_args", name, b"\0".join(words))


if __name__ == "__main__":
    main()
