#!/usr/bin/env python3
"""Writes seeds for the property-list fuzz targets in the shapes hostile files take: XML nested deep,
binary lists whose object numbers share one place, one long string named many times, integers
written otherwise, and the sample document. Usage: hostile-seeds.py FOLDER [SAMPLE]

FOLDER/any holds whole files (for fuzz-document-file and fuzz-pasteboard); FOLDER/binary the same
binary lists without their "bplist00", which fuzz-binary-property-list puts in front itself."""
import os
import struct
import sys


def binary_list(objects, ref_size, places=None, top=0):
    body = b"bplist00"
    offsets = []
    for obj in objects:
        offsets.append(len(body))
        body += obj
    places = places if places is not None else list(range(len(objects)))
    table = b"".join(struct.pack(">Q", offsets[p]) for p in places)
    start = len(body)
    trailer = bytes(6) + bytes([8, ref_size]) + struct.pack(">QQQ", len(places), top, start)
    return body + table + trailer


def array_of(refs, ref_size):
    head = bytes([0xA0 | len(refs)]) if len(refs) < 15 else b"\xAF\x13" + struct.pack(">Q", len(refs))
    return head + b"".join(r.to_bytes(ref_size, "big") for r in refs)


def nested_xml(depth):
    return (b'<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0">' + b"<array>" * depth
            + b"</array>" * depth + b"</plist>\n")


def aliased(count, width):
    places = [0] + [1] * count + [2]
    return binary_list([array_of(list(range(1, count + 1)), 4), array_of([count + 1] * width, 4), b"\x10\x01"], 4, places)


def shared_string(length, references):
    text = b"\x5F\x12" + struct.pack(">I", length) + b"n" * length
    return binary_list([array_of([1] * references, 2), text], 2)


def main():
    folder = sys.argv[1]
    sample = open(sys.argv[2], "rb").read() if len(sys.argv) > 2 else None
    seeds = {
        "xml-deep-1000": nested_xml(1000),
        "xml-deep-200000": nested_xml(200000),
        "binary-aliased": aliased(2000, 500),
        "binary-shared-string": shared_string(1 << 20, 3000),
        "binary-deep": binary_list([array_of([n + 1], 4) for n in range(99)] + [array_of([], 4)], 4),
    }
    if sample:
        seeds["sample"] = sample
        seeds["sample-bom"] = b"\xEF\xBB\xBF" + sample
        for odd in (b"abc", b"1e3", b"0x10", b"-99999999999999999999"):
            seeds["sample-integer-" + odd.decode()] = sample.replace(b"<integer>", b"<integer>" + odd, 1)
    for sub in ("any", "binary"):
        os.makedirs(os.path.join(folder, sub), exist_ok=True)
    for name, data in seeds.items():
        open(os.path.join(folder, "any", name), "wb").write(data)
        if data.startswith(b"bplist00"):
            open(os.path.join(folder, "binary", name), "wb").write(data[8:])


main()
