#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into corpus/<target>/ (run once; the files are kept in
the repository). Standard library only. Real photos for the JPEG decoder are not kept here:
scripts/fuzz adds the sample JPEGs of libjpeg's sources (.cache/testimages) as a second seed
folder."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def cp(text):
    return text.encode("cp1251")


# --- the JPEG decoder: byte-made JPEGs declaring any size, and sample photos -----------------
def hostile_jpeg(width, height, components=3, progressive=False, scans=1, truncated=False):
    out = bytearray(b"\xff\xd8")
    out += b"\xff\xdb" + struct.pack(">H", 67) + b"\x00" + b"\x01" * 64
    out += b"\xff" + (b"\xc2" if progressive else b"\xc0")
    out += struct.pack(">HBHHB", 8 + 3 * components, 8, height, width, components)
    for c in range(components):
        out += bytes([c + 1, 0x11, 0])
    for table in (0x00, 0x10):
        out += b"\xff\xc4" + struct.pack(">H", 20) + bytes([table, 1]) + b"\x00" * 15 + b"\x00"

    def scan(comps, ss, se):
        nonlocal out
        out += b"\xff\xda" + struct.pack(">HB", 6 + 2 * len(comps), len(comps))
        for c in comps:
            out += bytes([c + 1, 0])
        out += bytes([ss, se, 0]) + b"\x00"

    if not progressive:
        scan(list(range(components)), 0, 63)
    else:
        scan(list(range(components)), 0, 0)
        for i in range(1, scans):
            scan([(i - 1) % components], 1, 63)
    if not truncated:
        out += b"\xff\xd9"
    return bytes(out)


def jpeg_seeds():
    put("fuzz_jpeg", "baseline_16", hostile_jpeg(16, 16))
    put("fuzz_jpeg", "grey_40x30", hostile_jpeg(40, 30, components=1))
    put("fuzz_jpeg", "progressive_scans", hostile_jpeg(64, 48, progressive=True, scans=12))
    put("fuzz_jpeg", "truncated", hostile_jpeg(100, 80, truncated=True))
    put("fuzz_jpeg", "huge_declared", hostile_jpeg(65500, 65500, progressive=True, scans=10))
    put("fuzz_jpeg", "not_a_jpeg", b"GIF89a\x01\x00\x01\x00")


# --- the listing: a count mode, a hostile count, then 512-byte records -------------------------
def record(size, path):
    raw = cp(path)[:504]
    return struct.pack("<iI", size, 0) + raw + b"\x00" * (504 - len(raw))


def listing_seeds():
    dirs = [
        record(1000, "/a/mobile/picture/05-12-07_0012.jpg")
        + record(20, "/a/GalleryID.txt")
        + record(5, "/a/mobile/picture/Camera/01-01-08_0001.jpg")
        + record(-1, "/a/mobile/picture/06-12-07_0013.jpg")
        + record(7, "/a/mobile/Picture/07-12-07_0014.jpg")
        + record(123, "/a/mobile/picture/08-12-07_Фото_длинное.jpg"),
        record(1, "/a/mobile/picture/01-01-01_" + "x" * 600),
        record(2, "noslash") + record(3, "/a/mobile/picture/1-2-3_"),
    ]
    put("fuzz_listing", "directory", b"\x00" + struct.pack("<I", 0) + dirs[0])
    put("fuzz_listing", "long_path", b"\x00" + struct.pack("<I", 0) + dirs[1])
    put("fuzz_listing", "odd_names", b"\x00" + struct.pack("<I", 0) + dirs[2])
    put("fuzz_listing", "count_too_big", b"\x01" + struct.pack("<I", 0x7FFFFFFF) + dirs[0])
    put("fuzz_listing", "count_near_bound", b"\x02" + struct.pack("<I", 65536) + dirs[0])
    put("fuzz_listing", "count_failed", b"\x03" + struct.pack("<I", 0))


# --- the download run: profile, photos, boxes, faults (see fuzz_download.cpp) ----------------
def photo(folder_byte, kind, day, month, year, tail, shape, content, boxes):
    out = bytes([folder_byte, kind])
    if kind % 4 == 3:
        out += bytes([len(tail)]) + tail
    else:
        out += bytes([day, month, year, len(tail)]) + tail
    out += bytes([shape, len(content)]) + content + bytes([boxes])
    return out


def download_seeds():
    name = cp("Маша").ljust(200, b"\x00")
    photos = (
        photo(1, 0, 5, 12, 7, b"0012", 1, b"photo one", 3)
        + photo(1, 0, 31, 1, 8, b"0013", 1, b"photo two", 1)
        + photo(1, 0, 1, 5, 8, b"0100", 0, b"no end marker", 3)
    )
    put("fuzz_download", "three_photos", b"\x00" + name + b"\x03" + photos + b"\x00")
    put("fuzz_download", "plain_profile", b"\x01\x02" + photos[: len(photos) // 2] + b"\x00")
    put("fuzz_download", "device_profile", b"\x00" + b"CON".ljust(200, b"\x00") + b"\x01" + photos)
    put("fuzz_download", "bad_month", b"\x01\x01" + photo(1, 0, 5, 13, 7, b"x", 1, b"m", 1) + b"\x00")
    put("fuzz_download", "faults", b"\x01\x03" + photos + b"\x3f\x02\x03\x01\x01\x05\x09")
    put("fuzz_download", "odd_name", b"\x01\x01" + photo(1, 3, 0, 0, 0, b"05-12-07_a. ", 1, b"x", 3) + b"\x00")
    put("fuzz_download", "no_profile_file", b"\x02\x01" + photos[:20])


# --- the settings file: a value, then the file's content ----------------------------------------
def ini_seeds():
    files = {
        "empty": b"",
        "plain": b"[Options]\r\nGalleryPath=C:\\MobileFoto\r\n",
        "others": b"; comment\r\n[Other]\r\nGalleryPath=x\r\n\r\n[options]\r\n gallerypath = \"D:\\a\" \r\nKey=1",
        "no_newline": b"[Options]\r\nA=1",
        "lf_only": b"[Options]\nX=1\n[Next]\nGalleryPath=no\n",
        "twice": b"[Options]\r\nA=1\r\n[Options]\r\nGalleryPath=2\r\n",
        "broken": b"[Options\r\n=\r\nGalleryPath\r\n[]\r\n",
    }
    values = [b"C:\\MobileFoto", cp("C:\\Фото архив"), b"", b" spaced ", b"\"quoted\""]
    for i, (name, content) in enumerate(sorted(files.items())):
        v = values[i % len(values)]
        put("fuzz_ini", name, bytes([len(v)]) + v + content)


# --- the cell conversions: a number, a float's bits, then a text -------------------------------
def cell_seeds():
    texts = [b"123", b"-2147483648", b"2147483648", b" 12", b"True", b"false", b"0", b"1,5E-7",
             b"-0,000001", b"31.12.2099", b"1.1.00 23:59:59", b"12:30", b"abc", cp("один")]
    floats = [0.0, 1.5e-7, -123456789.125, 2.5, 1e300, float("nan")]
    for i, t in enumerate(texts):
        f = floats[i % len(floats)]
        put("fuzz_cells", "text_%02d" % i, struct.pack("<id", (i * 7919) - 5000, f) + t)


# --- the EXIF reader: heads of photos as phone cameras write them -----------------------------
def exif_segment(thumbnail, big_endian=False, padding=0, make=b"Zarvelin", model=b"Demo phone"):
    """The APP1 segment of a camera photo: IFD0 (make, model, orientation) linking to IFD1,
    which names the JPEG thumbnail (the same layout as sim/demo/exif_segment.cpp)."""
    e = ">" if big_endian else "<"
    ifd0_size = 2 + 12 * 3 + 4
    make_at = 8 + ifd0_size
    model_at = make_at + len(make) + 1
    ifd1 = model_at + len(model) + 1 + padding
    thumb_at = ifd1 + 2 + 12 * 3 + 4

    def entry(tag, typ, count, value):
        if typ == 3 and count == 1:
            return struct.pack(e + "HHIHH", tag, typ, count, value, 0)
        return struct.pack(e + "HHII", tag, typ, count, value)

    tiff = (b"MM" if big_endian else b"II") + struct.pack(e + "HI", 42, 8)
    tiff += struct.pack(e + "H", 3) + entry(0x010F, 2, len(make) + 1, make_at)
    tiff += entry(0x0110, 2, len(model) + 1, model_at) + entry(0x0112, 3, 1, 1)
    tiff += struct.pack(e + "I", ifd1) + make + b"\0" + model + b"\0" + b"\0" * padding
    tiff += struct.pack(e + "H", 3) + entry(0x0103, 3, 1, 6) + entry(0x0201, 4, 1, thumb_at)
    tiff += entry(0x0202, 4, 1, len(thumbnail)) + struct.pack(e + "I", 0) + thumbnail
    return b"\xff\xe1" + struct.pack(">H", 2 + 6 + len(tiff)) + b"Exif\0\0" + tiff


def exif_seeds():
    # The thumbnail: a real photo from libjpeg's sources when setup fetched them (227 x 149), else
    # a JPEG made byte by byte.
    sample = os.path.join(HERE, "..", ".cache", "testimages", "testorig.jpg")
    if os.path.exists(sample):
        with open(sample, "rb") as f:
            thumbnail = f.read()
    else:
        thumbnail = hostile_jpeg(160, 120)
    photo = hostile_jpeg(640, 480)
    for name, big, padding in (("head_ii", False, 0), ("head_mm", True, 0),
                               ("head_long_makernote", False, 30000)):
        head = b"\xff\xd8" + exif_segment(thumbnail, big, padding) + photo[2:]
        put("fuzz_exif", name, head[:16384])
        if padding:
            put("fuzz_exif", name + "_whole", head[:65536])
    put("fuzz_exif", "head_cut", (b"\xff\xd8" + exif_segment(thumbnail))[:600])
    jfif = b"\xff\xe0" + struct.pack(">H", 16) + b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0"
    put("fuzz_exif", "head_after_jfif", (b"\xff\xd8" + jfif + exif_segment(thumbnail, True))[:16384])
    put("fuzz_exif", "no_exif", photo[:16384])


if __name__ == "__main__":
    jpeg_seeds()
    listing_seeds()
    download_seeds()
    ini_seeds()
    cell_seeds()
    exif_seeds()
