#!/usr/bin/env python3
"""Draws the pictures of the images folder: the display font atlas, the
front panel of the DorvaSynth, the keyboard strip and its zone markers, the
main window's icon and the about box's picture.

Run from anywhere: python3 resources/images/make-images.py
The PNG files are written beside this script and committed with it.
"""
import math
import os

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# ---------------------------------------------------------------- font
# 8 x 8 cells of CELL pixels, row by row; "@" is the at sign, "~" an empty
# cell. Only pure white is transparent when the program draws a glyph.
CELL = 6
ATLAS = [
    "ABCDEFGH",
    "IJKLMNOP",
    "QRSTUVWX",
    "YZ012345",
    "6789#b-+",
    ':.!/()"?',
    "=<>;$%&'",
    "*@,~~~~ ",
]

# Glyphs are 5 columns by 6 rows, top-left in their cell; the sixth column
# and the advance's extra pixel keep neighbours apart.
GLYPHS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#"],
    "B": ["####.", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#....", "#.###", "#...#", "#...#", ".###."],
    "H": ["#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", ".###."],
    "J": ["..###", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "###..", "#..#.", "#...#", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#...."],
    "Q": [".###.", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "R": ["####.", "#...#", "#...#", "####.", "#..#.", "#...#"],
    "S": [".####", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "##.##", "#...#"],
    "X": ["#...#", ".#.#.", "..#..", "..#..", ".#.#.", "#...#"],
    "Y": ["#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "Z": ["#####", "...#.", "..#..", ".#...", "#....", "#####"],
    "0": [".###.", "#..##", "#.#.#", "#.#.#", "##..#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "####."],
    "6": [".###.", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", "..#..", "..#.."],
    "8": [".###.", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", ".###."],
    "#": [".#.#.", "#####", ".#.#.", ".#.#.", "#####", ".#.#."],
    "b": ["#....", "#....", "####.", "#...#", "#...#", "####."],
    "-": [".....", ".....", "#####", ".....", ".....", "....."],
    "+": [".....", "..#..", "..#..", "#####", "..#..", "..#.."],
    ":": [".....", "..#..", ".....", ".....", "..#..", "....."],
    ".": [".....", ".....", ".....", ".....", ".....", "..#.."],
    "!": ["..#..", "..#..", "..#..", "..#..", ".....", "..#.."],
    "/": ["....#", "...#.", "..#..", "..#..", ".#...", "#...."],
    "(": ["...#.", "..#..", "..#..", "..#..", "..#..", "...#."],
    ")": [".#...", "..#..", "..#..", "..#..", "..#..", ".#..."],
    '"': [".#.#.", ".#.#.", ".....", ".....", ".....", "....."],
    "?": [".###.", "#...#", "...#.", "..#..", ".....", "..#.."],
    "=": [".....", "#####", ".....", "#####", ".....", "....."],
    "<": ["...#.", "..#..", ".#...", ".#...", "..#..", "...#."],
    ">": [".#...", "..#..", "...#.", "...#.", "..#..", ".#..."],
    ";": [".....", "..#..", ".....", ".....", "..#..", ".#..."],
    "$": [".####", "#.#..", ".###.", "..#.#", "####.", "..#.."],
    "%": ["##..#", "##.#.", "..#..", "..#..", ".#.##", "#..##"],
    "&": [".##..", "#..#.", ".##..", "#.#.#", "#..#.", ".##.#"],
    "'": ["..#..", "..#..", ".....", ".....", ".....", "....."],
    "*": [".....", "#.#.#", ".###.", "#####", ".###.", "#.#.#"],
    "@": [".###.", "#...#", "#.###", "#.##.", "#....", ".####"],
    ",": [".....", ".....", ".....", ".....", "..#..", ".#..."],
    " ": ["....."] * 6,
}


def make_font():
    image = Image.new("RGB", (8 * CELL, 8 * CELL), WHITE)
    pixels = image.load()
    for row, line in enumerate(ATLAS):
        for column, char in enumerate(line):
            if char == "~":
                continue
            for y, bits in enumerate(GLYPHS[char]):
                for x, bit in enumerate(bits):
                    if bit == "#":
                        pixels[column * CELL + x, row * CELL + y] = BLACK
    image.save(os.path.join(HERE, "Font.png"))


# ---------------------------------------------------------------- panel
# Positions follow the view's layout of the 51 controls: pots of the two
# rows at y 11 and 125, buttons at y 73 and 190, 55 pixels apart from
# x 21 (pots) and 20 (buttons); the text fields of the wheels and pad axes,
# the sustain pedal and the Listen and Send indicators below.
PANEL = (632, 336)
FACE = (196, 198, 200)
EDGE = (120, 122, 126)
KNOB = (58, 60, 64)
KNOB_RIM = (30, 30, 32)
KEYCAP = (88, 92, 98)
# An indicator that is off: dark and without colour.
UNLIT = (72, 72, 74)
LCD = (176, 196, 160)
LCD_EDGE = (96, 110, 88)
LABEL = (70, 72, 76)
CELL_ADVANCE = CELL + 1


def text_field(draw, x, y, characters):
    width = CELL_ADVANCE * characters
    draw.rectangle([x - 3, y - 3, x + width + 1, y + CELL + 2], fill=LCD, outline=LCD_EDGE)


def label(draw, x, y, text):
    """Small engraved legend in the font's own glyphs."""
    for i, char in enumerate(text):
        for gy, bits in enumerate(GLYPHS[char]):
            for gx, bit in enumerate(bits):
                if bit == "#":
                    draw.point((x + i * CELL_ADVANCE + gx, y + gy), fill=LABEL)


def make_background():
    image = Image.new("RGB", PANEL, FACE)
    draw = ImageDraw.Draw(image)
    draw.rectangle([0, 0, PANEL[0] - 1, PANEL[1] - 1], outline=EDGE, width=2)
    draw.line([4, 242, PANEL[0] - 5, 242], fill=EDGE)

    for n in range(11):
        for y in (11, 125):
            x = 21 + 55 * n
            draw.ellipse([x + 3, y + 2, x + 32, y + 31], fill=KNOB_RIM)
            draw.ellipse([x + 5, y + 4, x + 30, y + 29], fill=KNOB)
            draw.line([x + 17, y + 6, x + 17, y + 13], fill=(230, 230, 230), width=2)
        for y in (73, 190):
            x = 20 + 55 * n
            draw.rounded_rectangle([x + 3, y + 3, x + 33, y + 14], radius=3, fill=KEYCAP,
                                   outline=KNOB_RIM)

    # Wheels: two slots at the left edge with their text fields.
    for x in (12, 32):
        draw.rounded_rectangle([x - 6, 247, x + 4, 260], radius=3, fill=KNOB, outline=KNOB_RIM)
    text_field(draw, 9, 267, 3)
    text_field(draw, 48, 297, 2)
    # Touch pad with the fields of its four axes.
    draw.rectangle([62, 250, 106, 292], fill=(150, 154, 160), outline=KNOB_RIM)
    draw.line([84, 252, 84, 290], fill=EDGE)
    draw.line([64, 271, 104, 271], fill=EDGE)
    for y in (253, 278):
        text_field(draw, 115, y, 2)
    for y in (300, 312):
        text_field(draw, 157, y, 2)

    # Listen and Send indicators, drawn unlit: the view lights them by
    # drawing a pulsing frame round them while listening or sending.
    for x, text in ((297, "LISTEN"), (352, "SEND")):
        draw.rectangle([x + 3, 259, x + 28, 280], fill=UNLIT, outline=KNOB_RIM)
        label(draw, x + 16 - (len(text) * CELL_ADVANCE) // 2, 287, text)
    # Sustain pedal socket.
    draw.ellipse([575, 261, 600, 286], fill=KNOB_RIM)
    draw.ellipse([582, 268, 593, 279], fill=(20, 20, 20))
    label(draw, 420, 318, "DORVASYNTH")
    image.save(os.path.join(HERE, "Background.png"))


# ---------------------------------------------------------------- keyboard
# The view measures the keys from the picture itself: row 0 must start on a
# white key top (red above 100), run through the first black key (red below
# 100) and the next white gap; below the black keys a 1-pixel dark line ends
# each white key. White key 10 px, black key 6 x 30 px: tops of C, D and E
# are 6, 5 and 6 px wide, so an octave is 70 px, 128 notes from C-2.
WHITE_KEY = 10
BLACK_KEY = (6, 30)
KEYBOARD_HEIGHT = 60
# Left edge of each black key within its octave (C#, D#, F#, G#, A#).
BLACK_LEFT = [6, 17, 36, 47, 58]
WHITE_IN_OCTAVE = 7


def make_keyboard():
    notes = 128
    octaves, rest = divmod(notes, 12)
    whites = octaves * WHITE_IN_OCTAVE + [0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6][rest - 1] + 1
    width = whites * WHITE_KEY
    image = Image.new("RGB", (width, KEYBOARD_HEIGHT), WHITE)
    draw = ImageDraw.Draw(image)
    for i in range(whites):
        x = i * WHITE_KEY + WHITE_KEY - 1
        draw.line([x, BLACK_KEY[1], x, KEYBOARD_HEIGHT - 1], fill=BLACK)
    # Between black keys the white key edges run to the top as light grey,
    # so row 0 stays bright there.
    for i in range(whites):
        x = i * WHITE_KEY + WHITE_KEY - 1
        draw.line([x, 0, x, BLACK_KEY[1] - 1], fill=(200, 200, 200))
    draw.line([0, KEYBOARD_HEIGHT - 1, width - 1, KEYBOARD_HEIGHT - 1], fill=BLACK)
    black_notes = [1, 3, 6, 8, 10]
    for octave in range(octaves + 1):
        for left, offset in zip(BLACK_LEFT, black_notes):
            if octave * 12 + offset >= notes:
                continue
            x = octave * WHITE_IN_OCTAVE * WHITE_KEY + left
            draw.rectangle([x, 0, x + BLACK_KEY[0] - 1, BLACK_KEY[1] - 1], fill=BLACK)
    image.save(os.path.join(HERE, "Keyboard.png"))


def make_zone_markers():
    size = (5, 10)
    for name, colour in (("zoneleft", (213, 23, 143)), ("zoneleftgrey", (153, 153, 153)),
                         ("zoneright", (213, 23, 143)), ("zonerightgrey", (153, 153, 153))):
        image = Image.new("RGB", size, WHITE)
        draw = ImageDraw.Draw(image)
        if name.startswith("zoneleft"):
            draw.polygon([(0, 0), (4, 0), (4, 9), (0, 9)], fill=colour)
            draw.line([0, 0, 0, 9], fill=BLACK)
        else:
            draw.polygon([(0, 0), (4, 0), (4, 9), (0, 9)], fill=colour)
            draw.line([4, 0, 4, 9], fill=BLACK)
        image.save(os.path.join(HERE, name + ".png"))


# ---------------------------------------------------------------- icon
# The main window's icon, "mondrian": the unit seen from above at 32 x 32,
# a row of knobs over a short keyboard, on a transparent ground.
ICON = 32


def make_icon():
    image = Image.new("RGBA", (ICON, ICON), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([0, 4, ICON - 1, ICON - 5], radius=3, fill=FACE + (255,),
                           outline=KNOB_RIM + (255,))
    for n in range(4):
        x = 3 + 7 * n
        draw.ellipse([x, 7, x + 4, 11], fill=KNOB + (255,))
    draw.rectangle([3, 14, 28, 24], fill=WHITE + (255,), outline=KNOB_RIM + (255,))
    for n in range(1, 6):
        x = 3 + 5 * n
        draw.line([x - 1, 14, x - 1, 24], fill=KNOB_RIM + (255,))
    for x in (6, 11, 21):
        draw.rectangle([x, 14, x + 2, 19], fill=BLACK + (255,))
    image.save(os.path.join(HERE, "mondrian.png"))


# ---------------------------------------------------------------- about box
# "signatures": the unit drawn small over the makers' signatures in ink, on
# the dialog's white. The about box reserves the picture's size at its left.
SIGNATURES = (180, 200)
INK = (28, 38, 112)


def signature(draw, left, top, width, loops, heights):
    """A handwritten-looking name: joined loops of the given heights, then a flourish under it."""
    points = []
    steps = 400
    for i in range(steps + 1):
        t = i / steps
        phase = 2 * math.pi * loops * t
        height = heights[min(int(t * loops), loops - 1)]
        x = left + width * t - 8 * math.sin(phase)
        y = top - height * (1 - math.cos(phase)) / 2 + 3 * math.sin(math.pi * t)
        points.append((round(x, 2), round(y, 2)))
    draw.line(points, fill=INK, width=2, joint="curve")
    end = points[-1]
    draw.line([end, (end[0] + 8, end[1] - 6)], fill=INK, width=2)
    draw.line([(left - 4, top + 8), (left + width + 6, top + 5)], fill=INK, width=1)


def make_signatures():
    image = Image.new("RGB", SIGNATURES, WHITE)
    draw = ImageDraw.Draw(image)
    # The unit: a face with two rows of pots and buttons over its keys.
    draw.rounded_rectangle([14, 18, 165, 86], radius=5, fill=FACE, outline=EDGE, width=2)
    for n in range(6):
        x = 24 + 24 * n
        draw.ellipse([x, 26, x + 14, 40], fill=KNOB_RIM)
        draw.ellipse([x + 2, 28, x + 12, 38], fill=KNOB)
        draw.line([x + 7, 29, x + 7, 32], fill=(230, 230, 230))
        draw.rounded_rectangle([x, 45, x + 14, 50], radius=2, fill=KEYCAP, outline=KNOB_RIM)
    draw.rectangle([20, 58, 159, 80], fill=WHITE, outline=KNOB_RIM)
    for n in range(1, 14):
        x = 20 + 10 * n
        draw.line([x, 58, x, 80], fill=KNOB_RIM)
    for n in (0, 1, 3, 4, 5, 7, 8, 10, 11, 12):
        x = 20 + 10 * n + 7
        draw.rectangle([x, 58, x + 5, 70], fill=BLACK)
    label(draw, 90 - (5 * CELL_ADVANCE) // 2, 98, "DORVA")
    signature(draw, 24, 146, 120, 7, [22, 10, 8, 16, 9, 20, 8])
    signature(draw, 44, 184, 96, 6, [14, 8, 18, 9, 8, 12])
    image.save(os.path.join(HERE, "signatures.png"))


if __name__ == "__main__":
    make_font()
    make_background()
    make_keyboard()
    make_zone_markers()
    make_icon()
    make_signatures()
