#!/usr/bin/env python3
"""A deliberately naive BPS reader and writer, written from the public description of the
format and sharing nothing with the C++ code, used to check quartex3tool from outside:

  bps_reference.py TOOL DEMOROM WORKDIR

makes the demo cartridge, edits it here, and checks both directions: a patch written by the
tool applies here to exactly the edited image, and a patch written here applies with the
tool. It also checks that the tool refuses a patch for another image, naming both CRC32s,
and a damaged patch, writing nothing either time. Exit status 0 when every check holds."""

import os
import subprocess
import sys
import zlib

SOURCE_READ, TARGET_READ, SOURCE_COPY, TARGET_COPY = range(4)


def encode_number(value):
    out = bytearray()
    while True:
        low = value & 0x7F
        value >>= 7
        if value == 0:
            out.append(0x80 | low)
            return bytes(out)
        out.append(low)
        value -= 1


class Reader:
    def __init__(self, data, end):
        self.data, self.pos, self.end = data, 0, end

    def byte(self):
        if self.pos >= self.end:
            raise ValueError("patch cut short")
        value = self.data[self.pos]
        self.pos += 1
        return value

    def number(self):
        value, shift = 0, 1
        while True:
            x = self.byte()
            value += (x & 0x7F) * shift
            if x & 0x80:
                return value
            shift <<= 7
            value += shift

    def take(self, count):
        if self.pos + count > self.end:
            raise ValueError("patch cut short")
        chunk = self.data[self.pos:self.pos + count]
        self.pos += count
        return chunk


def crc(data):
    return zlib.crc32(data) & 0xFFFFFFFF


def apply_patch(source, patch, used=None):
    """The target, after checking every checksum; raises ValueError on any problem. The
    actions met are added to the set `used` when one is given."""
    if patch[:4] != b"BPS1" or len(patch) < 16:
        raise ValueError("not a BPS patch")
    footer = len(patch) - 12
    source_crc, target_crc, patch_crc = (int.from_bytes(patch[footer + 4 * i:footer + 4 * i + 4],
                                                        "little") for i in range(3))
    if crc(patch[:-4]) != patch_crc:
        raise ValueError("patch checksum")
    reader = Reader(patch, footer)
    reader.pos = 4
    source_size, target_size, metadata_size = reader.number(), reader.number(), reader.number()
    reader.take(metadata_size)
    if source_size != len(source) or crc(source) != source_crc:
        raise ValueError("wrong source")
    target = bytearray()
    source_offset = target_offset = 0
    while reader.pos < footer:
        command = reader.number()
        action, length = command & 3, (command >> 2) + 1
        if used is not None:
            used.add(action)
        if action == SOURCE_READ:
            target += source[len(target):len(target) + length]
        elif action == TARGET_READ:
            target += reader.take(length)
        else:
            offset = reader.number()
            delta = -(offset >> 1) if offset & 1 else offset >> 1
            if action == SOURCE_COPY:
                source_offset += delta
                target += source[source_offset:source_offset + length]
                source_offset += length
            else:
                target_offset += delta
                for _ in range(length):  # byte by byte: the copy may overlap its own output
                    target.append(target[target_offset])
                    target_offset += 1
    if len(target) != target_size or crc(bytes(target)) != target_crc:
        raise ValueError("wrong target")
    return bytes(target)


def create_patch(source, target):
    """A patch using all four actions in the plainest way: unchanged bytes read from the
    source, runs of one value copied from the target, 8-byte matches found anywhere in the
    source copied from there, everything else carried literally."""
    out = bytearray(b"BPS1" + encode_number(len(source)) + encode_number(len(target)) +
                    encode_number(0))
    literal = bytearray()
    source_offset = target_offset = 0

    def command(action, length):
        out.extend(encode_number(((length - 1) << 2) | action))

    def offset_number(delta):
        return encode_number((abs(delta) << 1) | (1 if delta < 0 else 0))

    def flush():
        if literal:
            command(TARGET_READ, len(literal))
            out.extend(literal)
            literal.clear()

    i = 0
    while i < len(target):
        same = 0
        while i + same < min(len(source), len(target)) and source[i + same] == target[i + same]:
            same += 1
        if same:
            flush()
            command(SOURCE_READ, same)
            i += same
            continue
        run = 0
        while i > 0 and i + run < len(target) and target[i + run] == target[i - 1]:
            run += 1
        if run >= 4:
            flush()
            command(TARGET_COPY, run)
            out.extend(offset_number(i - 1 - target_offset))
            target_offset = i - 1 + run
            i += run
            continue
        found = source.find(target[i:i + 8]) if i + 8 <= len(target) else -1
        if found >= 0:
            length = 8
            while (i + length < len(target) and found + length < len(source)
                   and source[found + length] == target[i + length]):
                length += 1
            flush()
            command(SOURCE_COPY, length)
            out.extend(offset_number(found - source_offset))
            source_offset = found + length
            i += length
            continue
        literal.append(target[i])
        i += 1
    flush()
    out += crc(source).to_bytes(4, "little") + crc(target).to_bytes(4, "little")
    out += crc(bytes(out)).to_bytes(4, "little")
    return bytes(out)


def edited_image(original):
    image = bytearray(original)
    for at in (0x20, 0x1B10, 0x23456, len(image) - 1):
        image[at] ^= 0x5A
    image[0x30000:0x30000 + 700] = original[0x8000:0x8000 + 700]  # a block from elsewhere
    image[0x40000:0x40000 + 900] = b"\x33" * 900                  # a run of one value
    image += bytes(range(200))                                    # grown at the end
    return bytes(image)


def main():
    tool, demorom, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    path = lambda name: os.path.join(work, name)
    failures = []

    def check(condition, what):
        print(("ok   " if condition else "FAIL ") + what)
        if not condition:
            failures.append(what)

    def run(*arguments):
        return subprocess.run([tool, *arguments], capture_output=True, text=True)

    def read(name):
        with open(path(name), "rb") as f:
            return f.read()

    def write(name, data):
        with open(path(name), "wb") as f:
            f.write(data)

    for name in ("never.nes",):
        if os.path.exists(path(name)):
            os.remove(path(name))
    subprocess.run([demorom, path("original.nes")], check=True)
    original = read("original.nes")
    edited = edited_image(original)
    write("edited.nes", edited)

    check(run("bps", path("original.nes"), path("edited.nes"), path("tool.bps")).returncode == 0,
          "the tool writes a patch")
    tool_patch = read("tool.bps")
    try:
        check(apply_patch(original, tool_patch) == edited,
              "the tool's patch applies here to exactly the edited image")
    except ValueError as problem:
        check(False, "the tool's patch applies here: " + str(problem))

    reference_patch = create_patch(original, edited)
    used = set()
    check(apply_patch(original, reference_patch, used) == edited,
          "the reference patch applies here")
    check(used == {SOURCE_READ, TARGET_READ, SOURCE_COPY, TARGET_COPY},
          "the reference patch holds all four actions")
    write("reference.bps", reference_patch)
    for command in ("apply-bps", "apply"):
        if os.path.exists(path("result.nes")):
            os.remove(path("result.nes"))
        result = run(command, path("original.nes"), path("reference.bps"), path("result.nes"))
        check(result.returncode == 0 and read("result.nes") == edited,
              "the reference patch applies with the tool's " + command)

    wrong = run("apply-bps", path("edited.nes"), path("tool.bps"), path("never.nes"))
    expected, actual = "%08X" % crc(original), "%08X" % crc(edited)
    check(wrong.returncode == 1 and expected in wrong.stderr and actual in wrong.stderr,
          "a patch for another image is refused naming %s and %s: %s"
          % (expected, actual, wrong.stderr.strip()))
    damaged = bytearray(reference_patch)
    damaged[len(damaged) // 2] ^= 0x01
    write("damaged.bps", bytes(damaged))
    refused = run("apply-bps", path("original.nes"), path("damaged.bps"), path("never.nes"))
    check(refused.returncode == 1, "a damaged patch is refused: " + refused.stderr.strip())
    check(not os.path.exists(path("never.nes")), "nothing is written when a patch is refused")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
