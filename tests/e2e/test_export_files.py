"""Files written by the program's GDI+ encoder, opened by decoders that are not
GDI+ (Pillow and ImageMagick's identify).

encode_sample.exe (built beside the tests) encodes pictures with known pixels
in every export format through the program's own code; this test runs it under
Wine in a session of its own and checks the files it wrote.
"""

import os
import shutil
import subprocess
import tempfile
from pathlib import Path

import pytest
from PIL import Image

from driver import BUILD, ROOT

SAMPLE = BUILD / "tests" / "encode_sample.exe"
SESSION = BUILD / "e2e-export-files"

BAND_COLORS = [0xFFFFFF, 0x000000, 0xF0F0F0, 0x0078D7, 0xC0C0C0, 0xE81123, 0x107C10, 0x7F7F7F]


def rgb(value):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


def bands(x, y):
    return rgb(BAND_COLORS[(x // 5 + y // 3) % 8])


def gradient(x, y):
    return (x * 4 % 256, y * 4 % 256, (x + y) % 256)


def mean_error(image, color):
    width, height = image.size
    pixels = image.convert("RGB").load()
    total = 0
    for y in range(height):
        for x in range(width):
            total += sum(abs(a - b) for a, b in zip(pixels[x, y], color(x, y)))
    return total / (width * height * 3)


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


@pytest.fixture(scope="module")
def written():
    # A missing sample program is a broken build, not a reason to pass.
    assert SAMPLE.exists(), f"{SAMPLE} is not built"
    session = ROOT / "scripts" / "wine-session.sh"
    subprocess.run([session, "start", SESSION], check=True, capture_output=True)
    folder = Path(tempfile.mkdtemp(prefix="vantacle-export-"))
    try:
        environment = dict(os.environ, VANTACLE_BUILD=str(SESSION))
        result = subprocess.run(
            [ROOT / "scripts" / "wine-run.sh", SAMPLE, windows_path(folder)],
            env=environment, capture_output=True, text=True, timeout=120)
        assert result.returncode == 0, result.stderr
        yield folder
    finally:
        subprocess.run([session, "stop", SESSION], capture_output=True)
        shutil.rmtree(folder, ignore_errors=True)


@pytest.mark.parametrize("name, pillow_format, magick_format", [
    ("sample.gif", "GIF", "GIF"),
    ("sample.png", "PNG", "PNG"),
    ("sample.jpg", "JPEG", "JPEG"),
    ("sample.bmp", "BMP", "BMP3"),
    ("sample.tif", "TIFF", "TIFF"),
])
def test_every_format_opens_with_independent_decoders(written, name, pillow_format,
                                                      magick_format):
    with Image.open(written / name) as image:
        assert image.format == pillow_format
        assert image.size == (64, 48)
        image.load()
        # JPEG is lossy and these sharp coloured bands are its worst case (a
        # wrong picture is off by about 80); every other format is exact.
        limit = 25.0 if pillow_format == "JPEG" else 0.0
        assert mean_error(image, bands) <= limit
    identified = subprocess.run(["identify", "-format", "%m %w %h", str(written / name)],
                                check=True, capture_output=True, text=True).stdout
    assert identified.split() == [magick_format, "64", "48"]


def test_gif_of_a_few_colour_picture_keeps_exactly_its_colours(written):
    with Image.open(written / "sample.gif") as image:
        assert image.mode == "P"
        assert sorted(color for _, color in image.convert("RGB").getcolors()) == \
            sorted(rgb(c) for c in BAND_COLORS)


def test_gif_of_a_rich_picture_is_a_close_256_colour_picture(written):
    with Image.open(written / "gradient.gif") as image:
        assert image.format == "GIF"
        assert image.size == (64, 64)
        assert image.mode == "P"
        assert len(image.convert("RGB").getcolors(maxcolors=1 << 24)) <= 256
        assert mean_error(image, gradient) < 6.0
