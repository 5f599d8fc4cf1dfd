#!/usr/bin/env python3
"""Checks that a release zip unpacks and starts on Windows XP SP3 and every later Windows.

    check_winxp.py <release zip> <exports folder>

- Every name in the zip is ASCII: the zip extractor built into Windows XP and 7 reads names in
  the OEM code page and ignores the UTF-8 mark, so any other name comes out garbled.
- Every program and DLL in the zip imports by name only functions that XP exports: the exports
  folder holds one list per system DLL (<dll>.txt, a name a line) and not-on-xp.txt, the
  "<dll>!<name>" entries of those lists that XP lacks after all. An import by ordinal, or from a
  DLL without a list, counts as missing too: XP's loader refuses the image for any of them.
- The PE header's OS and subsystem versions are 5.1 or lower: a loader refuses an image that
  asks for a newer system than its own.

Prints one line for each image checked and one for each fault, naming it. Exits 1 on any
fault, 2 on bad arguments. Python's standard library only.
"""
import os
import struct
import sys
import zipfile

HIGHEST_VERSION = (5, 1)
IMAGE_SUFFIXES = (".exe", ".dll")


class PeError(Exception):
    """The bytes are not a PE image that this reader understands."""


class PeImage:
    """The parts of a PE image that decide whether Windows XP loads it."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise PeError("no MZ header")
        pe = self._u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        optional = pe + 24
        magic = self._u16(optional)
        if magic == 0x10B:
            self.wide, directories = False, optional + 96
        elif magic == 0x20B:
            self.wide, directories = True, optional + 112
        else:
            raise PeError(f"unknown optional header magic {magic:#x}")
        self.os_version = (self._u16(optional + 40), self._u16(optional + 42))
        self.subsystem_version = (self._u16(optional + 48), self._u16(optional + 50))
        self.image_base = (struct.unpack_from("<Q", data, optional + 24)[0] if self.wide
                           else self._u32(optional + 28))
        count = self._u32(directories - 4)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(min(count, 16))]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i)
                         for i in range(sections)]

    def _u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def _u32(self, at):
        if at + 4 > len(self.data):
            raise PeError(f"offset {at:#x} past the end")
        return struct.unpack_from("<I", self.data, at)[0]

    def _offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                if rva - address >= raw_size:
                    raise PeError(f"address {rva:#x} has no bytes in the file")
                return raw + rva - address
        raise PeError(f"address {rva:#x} lies in no section")

    def _text(self, rva):
        at = self._offset(rva)
        end = self.data.index(b"\0", at)
        return self.data[at:end].decode("ascii", "replace")

    def _thunks(self, rva):
        """The names (or ordinals, as ints) of an import lookup table."""
        size, ordinal_bit = (8, 1 << 63) if self.wide else (4, 1 << 31)
        at = self._offset(rva)
        while True:
            (entry,) = struct.unpack_from("<Q" if self.wide else "<I", self.data, at)
            if entry == 0:
                return
            if entry & ordinal_bit:
                yield entry & 0xFFFF
            else:
                yield self._text((entry & 0x7FFFFFFF) + 2)  # after the two-byte hint
            at += size

    def imports(self):
        """(dll, name or ordinal) of every import, the delay-loaded ones included."""
        found = []
        rva, size = self.directories[1] if len(self.directories) > 1 else (0, 0)
        if rva and size:
            at = self._offset(rva)
            while True:
                lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
                if name == 0:
                    break
                dll = self._text(name)
                found += [(dll, f) for f in self._thunks(lookup or first)]
                at += 20
        rva, size = self.directories[13] if len(self.directories) > 13 else (0, 0)
        if rva and size:
            at = self._offset(rva)
            while True:
                attributes, name, _, _, names = struct.unpack_from("<IIIII", self.data, at)
                if name == 0:
                    break
                # Old-style descriptors hold addresses rather than offsets from the base.
                base = 0 if attributes & 1 else self.image_base
                dll = self._text(name - base)
                found += [(dll, f) for f in self._thunks(names - base)]
                at += 32
        return found


def load_exports(folder):
    """dll name (lower case, without ".dll") -> names; and the set of "dll!name" XP lacks."""
    exports, lacking = {}, set()
    for entry in sorted(os.listdir(folder)):
        path = os.path.join(folder, entry)
        with open(path, encoding="utf-8") as f:
            lines = [l.strip() for l in f]
        lines = [l for l in lines if l and not l.startswith("#")]
        if entry == "not-on-xp.txt":
            lacking = {l.lower().split("!")[0] + "!" + l.split("!", 1)[1] for l in lines}
        elif entry.endswith(".txt"):
            exports[entry[:-4].lower()] = set(lines)
    return exports, lacking


def image_faults(label, data, exports, lacking):
    """The faults of one image, each a line naming it."""
    try:
        image = PeImage(data)
        imports = image.imports()
    except (PeError, struct.error, ValueError) as e:
        return [f"{label}: not a readable PE image ({e})"]
    faults = []
    for what, version in (("OS", image.os_version), ("subsystem", image.subsystem_version)):
        if version > HIGHEST_VERSION:
            faults.append(f"{label}: {what} version {version[0]}.{version[1]} in the PE header, "
                          f"above {HIGHEST_VERSION[0]}.{HIGHEST_VERSION[1]} (Windows XP)")
    for dll, name in imports:
        key = dll.lower()
        key = key[:-4] if key.endswith(".dll") else key
        if isinstance(name, int):
            faults.append(f"{label}: imports {dll} ordinal {name}, which cannot be checked "
                          f"against the names Windows XP exports")
        elif key not in exports:
            faults.append(f"{label}: imports {dll}!{name}, from a DLL with no list of the "
                          f"functions Windows XP exports")
        elif name not in exports[key] or f"{key}!{name}" in lacking:
            faults.append(f"{label}: imports {dll}!{name}, which Windows XP does not export")
    dlls = sorted({d.lower() for d, _ in imports})
    print(f"  {label}: OS {image.os_version[0]}.{image.os_version[1]}, subsystem "
          f"{image.subsystem_version[0]}.{image.subsystem_version[1]}, {len(imports)} imports "
          f"from {', '.join(dlls) or 'no DLL'}")
    return faults


def check_zip(zip_path, exports_folder):
    """Every fault of the release zip, each a line naming it."""
    exports, lacking = load_exports(exports_folder)
    faults = []
    with zipfile.ZipFile(zip_path) as z:
        for info in z.infolist():
            if not info.filename.isascii():
                faults.append(f"name not ASCII: {info.filename}")
        images = [i for i in z.infolist()
                  if not i.is_dir() and i.filename.lower().endswith(IMAGE_SUFFIXES)]
        if not images:
            faults.append("no program or DLL in the zip")
        for info in images:
            faults += image_faults(info.filename, z.read(info), exports, lacking)
    return faults


def main(argv):
    if len(argv) != 3 or not os.path.isfile(argv[1]) or not os.path.isdir(argv[2]):
        print("usage: check_winxp.py <release zip> <exports folder>", file=sys.stderr)
        return 2
    faults = check_zip(argv[1], argv[2])
    for fault in faults:
        print(f"    {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
