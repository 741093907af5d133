#!/usr/bin/env python3
"""Writes the fuzzers' seed files into tests/fuzz/corpus/<fuzzer>/.

Every seed is made here: skin records by vellamor-tool from the shipped skin
descriptions, pictures by hand (BMP, PNG, GIF, ICO) or by ImageMagick (JPEG),
alarm records and settings files by hand. Run from the repository with a
built tool:  tests/fuzz/make-seeds.py build/bin/vellamor-tool
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CORPUS = os.path.join(HERE, "corpus")


def write(fuzzer, name, data):
    folder = os.path.join(CORPUS, fuzzer)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def skins(tool):
    work = tempfile.mkdtemp()
    try:
        for description in sorted(os.listdir(os.path.join(ROOT, "resources", "skins"))):
            with open(os.path.join(ROOT, "resources", "skins", description)) as f:
                settings = [line.strip() for line in f if "=" in line and not line.startswith("#")]
            record = os.path.join(work, "skin.clk")
            subprocess.run([tool, "skin", "new", record] + settings, check=True, capture_output=True)
            with open(record, "rb") as f:
                write("skin_record", description.replace(".skin", ".clk"), f.read())
        record = os.path.join(work, "picture.clk")
        subprocess.run([tool, "skin", "new", record, "Texture=stone.bmp", "DigPosition=2", "Square=0"],
                       check=True, capture_output=True)
        with open(record, "rb") as f:
            write("skin_record", "picture-texture.clk", f.read())
    finally:
        shutil.rmtree(work)


def short_string(text, capacity):
    data = text.encode("cp1252")
    return bytes([len(data)]) + data + bytes(capacity - len(data))


def alarm(name, mode, time, once=0.0, every=1, start=0.0, weekdays="FNNNNNFF", monthly_the=0,
          day=1, the_n=1, the_day=1, months="F" + "N" * 12, visual="", sound="", doc="", audio_pic=1,
          stays_on=0):
    record = struct.pack("<B7xdi4xdd??2xid i4xd", 1, 0.0, mode, time, once, True, False, every, start,
                         every, start)
    record += weekdays.encode() + struct.pack("<?3xiii", monthly_the, day, the_n, the_day)
    record += months.encode() + short_string(name, 12) + short_string(visual, 180)
    record += short_string(sound, 180) + short_string(doc, 180)
    record += struct.pack("<??xi", bool(sound), audio_pic, stays_on)
    assert len(record) == 672, len(record)
    return record


def alarms():
    # Moments count days since 30 December 1899; 38000 is 14 January 2004.
    write("alarm_store", "daily.cfg", alarm("Tea", 1, 0.6875, start=38000.0, visual="C:\\Pics\\tea.jpg",
                                            sound="C:\\Sounds\\bell.wav", stays_on=1))
    write("alarm_store", "mixed.cfg",
          alarm("Once", 0, 0.25, once=38001.0) + alarm("Weekly", 2, 0.5, every=2, start=37990.0)
          + alarm("Month", 3, 0.75, monthly_the=1, the_n=5, the_day=7, doc="/home/u/report.txt", audio_pic=0))


def profiles():
    write("profile_file", "vellamor.ini",
          b"[Skin]\r\nLast=C:\\Program Files\\Vellamor\\Classic.clk\r\n[Position]\r\nLeft=120\r\nTop=$40\r\n"
          b"[Size]\r\nKeepIt=1\r\nLastOne=0x190\r\n[Readout]\r\nFormat=hh:nn:ss ampm\r\n")
    write("profile_file", "other-sections.ini",
          b"; comment\n[Other]\nName=Caf\xe9 na\xefve\n[skin]\nlast=Ember.clk\n[Position]\nLeft=-5\n")


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(width, depth, colour_type, rows, extra=b""):
    header = struct.pack(">IIBBBBB", width, len(rows), depth, colour_type, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + extra + png_chunk(b"IDAT", zlib.compress(raw))
            + png_chunk(b"IEND", b""))


def bmp(width, height, depth, pixels, compression=0, palette=(), masks=()):
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, depth, compression, len(pixels), 0, 0,
                         len(palette), 0)
    extra = b"".join(struct.pack("<I", m) for m in masks) + b"".join(struct.pack("<I", c) for c in palette)
    offset = 14 + len(header) + len(extra)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + extra + pixels


def jpeg(*options):
    work = tempfile.mkdtemp()
    try:
        path = os.path.join(work, "seed.jpg")
        subprocess.run(["convert", "-size", "16x16", "gradient:red-blue"] + list(options) + [path], check=True)
        with open(path, "rb") as f:
            return f.read()
    finally:
        shutil.rmtree(work)


def pictures():
    # The first byte picks the decoder: 0 BMP, 1 PNG, 2 GIF, 3 JPEG, 4 ICO.
    write("pictures", "rle8.bmp", b"\0" + bmp(4, 3, 8, bytes([2, 1, 0, 0, 0, 2, 1, 1, 0, 3, 2, 1, 2, 0, 0, 1]),
                                              compression=1, palette=(0xFF0000, 0x00FF00, 0x0000FF)))
    write("pictures", "rle4.bmp", b"\0" + bmp(4, 2, 4, bytes([3, 0x12, 0, 0, 0, 3, 0x21, 0x20, 0, 1]),
                                              compression=2, palette=(0xFFFFFF, 0xFF0000, 0x00FF00)))
    write("pictures", "rgb565.bmp", b"\0" + bmp(2, 1, 16, bytes([0xE0, 0xFF, 0x10, 0x04]), compression=3,
                                                masks=(0xF800, 0x07E0, 0x001F)))
    write("pictures", "mono.bmp", b"\0" + bmp(8, 2, 1, bytes([0xA5, 0, 0, 0, 0x5A, 0, 0, 0]),
                                              palette=(0x000000, 0xFFFFFF)))
    write("pictures", "rgb16-transparent.png",
          b"\1" + png(2, 16, 2, [struct.pack(">6H", 0x1000, 0x2000, 0x3000, 0xFFFF, 0x8080, 0)],
                      png_chunk(b"tRNS", struct.pack(">3H", 0x1000, 0x2000, 0x3000))))
    write("pictures", "grey1.png", b"\1" + png(8, 1, 0, [bytes([0b10110000])]))
    write("pictures", "palette.png", b"\1" + png(4, 2, 3, [bytes([0b00011011])], png_chunk(b"PLTE", bytes(range(12)))))
    write("pictures", "tiny.gif", b"\2" + bytes.fromhex(
        "47494638396101000100800000ff000000000021f90400000000002c00000000010001000002024401003b"))
    write("pictures", "baseline.jpg", b"\3" + jpeg("-quality", "80"))
    write("pictures", "progressive.jpg", b"\3" + jpeg("-interlace", "JPEG"))
    write("pictures", "cmyk.jpg", b"\3" + jpeg("-colorspace", "CMYK"))
    icon_bitmap = struct.pack("<IiiHHIIiiII", 40, 2, 4, 1, 32, 0, 16, 0, 0, 0, 0) + bytes(16) + bytes(8)
    write("pictures", "icon.ico", b"\4" + struct.pack("<HHHBBBBHHII", 0, 1, 1, 2, 2, 0, 0, 1, 32,
                                                      len(icon_bitmap), 22) + icon_bitmap)


def date_formats():
    moment = struct.pack("<q", 1073304000000)  # 5 January 2004, 12:00 UTC
    for name, pattern in [("clock", "hh:nn:ss ampm"), ("list", "d mmm yyyy"),
                          ("quoted", "dddd, mmmm d 'at' h:nn a/p \"o'clock\""), ("digits", "yy zzz z s m")]:
        write("date_format", name, moment + pattern.encode())


if __name__ == "__main__":
    if os.path.isdir(CORPUS):
        shutil.rmtree(CORPUS)
    skins(sys.argv[1])
    alarms()
    profiles()
    pictures()
    date_formats()
