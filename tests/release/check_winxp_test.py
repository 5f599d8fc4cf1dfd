#!/usr/bin/env python3
"""The Windows XP release check (check_winxp.py) on zips of small PE images made here with chosen
imports and header versions, against the repository's lists of XP's exports."""
import io
import os
import struct
import sys
import tempfile
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import check_winxp  # noqa: E402

EXPORTS = os.path.join(HERE, "winxp-exports")
SECTION_RVA, SECTION_RAW = 0x1000, 0x200


def make_pe(imports=(), delayed=(), os_version=(5, 1), subsystem=(5, 1), wide=False):
    """A PE image with one section holding its import tables. `imports` and `delayed` are lists
    of (dll, [name, or ordinal as an int]); `wide` makes a PE32+ image."""
    thunk = 8 if wide else 4
    ordinal_bit = 1 << 63 if wide else 1 << 31
    body = bytearray()

    def put(data):
        at = len(body)
        body.extend(data)
        return SECTION_RVA + at

    def lookup_table(functions):
        entries = []
        for f in functions:
            if isinstance(f, int):
                entries.append(ordinal_bit | f)
            else:
                entries.append(put(b"\0\0" + f.encode() + b"\0"))
        return put(b"".join(struct.pack("<Q" if wide else "<I", e) for e in entries + [0]))

    # The descriptor arrays first, filled in once the tables behind them are placed.
    plain_at = put(bytes(20 * (len(imports) + 1)))
    delayed_at = put(bytes(32 * (len(delayed) + 1)))
    for i, (dll, functions) in enumerate(imports):
        name = put(dll.encode() + b"\0")
        table = lookup_table(functions)
        struct.pack_into("<IIIII", body, plain_at - SECTION_RVA + 20 * i, table, 0, 0, name, table)
    for i, (dll, functions) in enumerate(delayed):
        name = put(dll.encode() + b"\0")
        table = lookup_table(functions)
        struct.pack_into("<IIIII", body, delayed_at - SECTION_RVA + 32 * i, 1, name, 0, table,
                         table)
    body.extend(bytes(-len(body) % 0x200))

    optional_size = 240 if wide else 224
    optional = bytearray(optional_size)
    struct.pack_into("<H", optional, 0, 0x20B if wide else 0x10B)
    struct.pack_into("<HH", optional, 40, *os_version)
    struct.pack_into("<HH", optional, 48, *subsystem)
    directories = 112 if wide else 96
    struct.pack_into("<I", optional, directories - 4, 16)
    if imports:
        struct.pack_into("<II", optional, directories + 8, plain_at, 20 * (len(imports) + 1))
    if delayed:
        struct.pack_into("<II", optional, directories + 8 * 13, delayed_at,
                         32 * (len(delayed) + 1))
    header = bytearray(SECTION_RAW)
    header[0:2] = b"MZ"
    struct.pack_into("<I", header, 0x3C, 0x40)
    header[0x40:0x44] = b"PE\0\0"
    struct.pack_into("<HHIIIHH", header, 0x44, 0x8664 if wide else 0x14C, 1, 0, 0, 0,
                     optional_size, 0x2102)
    header[0x58:0x58 + optional_size] = optional
    section = 0x58 + optional_size
    header[section:section + 8] = b".idata\0\0"
    struct.pack_into("<IIII", header, section + 8, len(body), SECTION_RVA, len(body), SECTION_RAW)
    return bytes(header + body)


XP_IMPORTS = [("KERNEL32.dll", ["GetTickCount", "CreateThread", "WaitForSingleObject"]),
              ("msvcrt.dll", ["malloc", "_beginthreadex"]),
              ("SHELL32.dll", ["SHBrowseForFolderW", "SHGetPathFromIDListW"])]


def make_zip(files):
    """The bytes of a zip holding {name: bytes}."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as z:
        for name, data in files.items():
            z.writestr(name, data)
    return out.getvalue()


class CheckWinXp(unittest.TestCase):
    def faults(self, files):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "release.zip")
            with open(path, "wb") as f:
                f.write(make_zip(files))
            return check_winxp.check_zip(path, EXPORTS)

    def test_images_pass_or_fail_by_their_imports_and_versions(self):
        cases = [
            # what, image, the fault's words ("" when it must pass)
            ("imports that XP has", make_pe(XP_IMPORTS), ""),
            ("an older header version", make_pe(XP_IMPORTS, os_version=(4, 0),
                                                subsystem=(4, 0)), ""),
            ("a 64-bit image with imports that XP has", make_pe(XP_IMPORTS, wide=True), ""),
            ("a function that XP's kernel32 lacks",
             make_pe(XP_IMPORTS + [("KERNEL32.dll", ["GetTickCount64"])]),
             "imports KERNEL32.dll!GetTickCount64, which Windows XP does not export"),
            ("a later shell call", make_pe([("SHELL32.dll", ["SHGetPathFromIDListEx"])]),
             "imports SHELL32.dll!SHGetPathFromIDListEx, which Windows XP does not export"),
            ("a name the lists hold but XP lacks", make_pe([("kernel32.dll", ["FlsAlloc"])]),
             "imports kernel32.dll!FlsAlloc, which Windows XP does not export"),
            ("a DLL without a list", make_pe([("bcrypt.dll", ["BCryptGenRandom"])]),
             "imports bcrypt.dll!BCryptGenRandom, from a DLL with no list"),
            ("an import by ordinal", make_pe([("COMCTL32.dll", [17])]),
             "imports COMCTL32.dll ordinal 17"),
            ("a missing function in a 64-bit image",
             make_pe([("KERNEL32.dll", ["GetTickCount64"])], wide=True),
             "imports KERNEL32.dll!GetTickCount64, which"),
            ("a delay-loaded function that XP lacks",
             make_pe(XP_IMPORTS, delayed=[("KERNEL32.dll", ["InitializeConditionVariable"])]),
             "imports KERNEL32.dll!InitializeConditionVariable, which"),
            ("OS version 6.0", make_pe(XP_IMPORTS, os_version=(6, 0)),
             "OS version 6.0 in the PE header, above 5.1"),
            ("subsystem version 5.2", make_pe(XP_IMPORTS, subsystem=(5, 2)),
             "subsystem version 5.2 in the PE header, above 5.1"),
            ("not a PE image", b"MZ but nothing more", "not a readable PE image"),
        ]
        for what, image, expected in cases:
            with self.subTest(what):
                faults = self.faults({"zv/README.txt": b"text", "zv/demo/p2kapi.dll": image})
                if expected:
                    self.assertEqual(len(faults), 1, faults)
                    self.assertIn("zv/demo/p2kapi.dll: " + expected, faults[0])
                else:
                    self.assertEqual(faults, [])

    def test_every_image_is_checked_and_named(self):
        bad = make_pe([("KERNEL32.dll", ["GetTickCount64"])])
        faults = self.faults({"zv/zarvelinthoscope.exe": bad, "zv/demo/zarvelinthoscope.exe": bad,
                              "zv/demo/p2kapi.DLL": bad, "zv/demo/phone/a/x.jpg": bad})
        self.assertEqual(sorted(f.split(":")[0] for f in faults),
                         ["zv/demo/p2kapi.DLL", "zv/demo/zarvelinthoscope.exe",
                          "zv/zarvelinthoscope.exe"])

    def test_names_must_be_ascii(self):
        good = make_pe(XP_IMPORTS)
        cases = [
            ("ASCII names", {"zv/a.exe": good, "zv/demo/phone/a/mobile/audio/Melodiya.mp3": b""},
             []),
            ("a Cyrillic file name", {"zv/a.exe": good, "zv/demo/phone/Мелодия.mp3": b""},
             ["name not ASCII: zv/demo/phone/Мелодия.mp3"]),
            ("a Latin letter with an accent in a folder name",
             {"zv/a.exe": good, "zv/démo/x.txt": b""}, ["name not ASCII: zv/démo/x.txt"]),
            ("no image at all", {"zv/README.txt": b""}, ["no program or DLL in the zip"]),
        ]
        for what, files, expected in cases:
            with self.subTest(what):
                self.assertEqual(self.faults(files), expected)

    def test_exit_status(self):
        with tempfile.TemporaryDirectory() as folder:
            cases = [("clean", {"zv/a.exe": make_pe(XP_IMPORTS)}, 0),
                     ("a fault", {"zv/a.exe": make_pe(XP_IMPORTS, os_version=(10, 0))}, 1)]
            for what, files, status in cases:
                with self.subTest(what):
                    path = os.path.join(folder, what + ".zip")
                    with open(path, "wb") as f:
                        f.write(make_zip(files))
                    self.assertEqual(check_winxp.main(["check_winxp.py", path, EXPORTS]), status)
            self.assertEqual(check_winxp.main(["check_winxp.py", folder, EXPORTS]), 2)


if __name__ == "__main__":
    unittest.main()
