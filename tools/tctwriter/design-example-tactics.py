#!/usr/bin/env python3
"""Designs the example tactics in examples/game/tactics from compact shapes.

Writes <Name>.txt, the full text description that make-tactic reads, for each
formation below. The .txt files are the sources of the example tactics: edit
them directly, or change a shape here and run this script again (it rewrites
all five), then run tools/make-example-tactics to make the .tct files.

A shape gives per player a label, a place across the pitch (x, 0..26) and a
depth t between the team's back line (t = 0) and front line (t = 1), one for
each ball state. Per ball state and zone row the formation gives the heights
of the back and the front line; the team is narrower without the ball and
shifts across towards the ball's zone column; full-backs and wing-backs push
up with the ball, most on the ball's side; the goalkeeper stays near his goal
and steps out a little as the ball is further up.

  design-example-tactics.py [--out DIR] [--preview DIR]

--preview also writes a PNG per tactic (24 small pitches) for a look.
"""

import argparse
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Where the ball is across the pitch for zone columns 0, 1, 2.
BALL_X = [4.5, 13.0, 21.5]

FORMATIONS = [
    {
        "name": "Counter442",
        "about": [
            "Counter442: a flat 4-4-2 that sits in a deep, compact block without",
            "the ball and breaks fast with two strikers who stay high.",
        ],
        # per ball state (without, with): back line and front line per zone row 0..3
        "back": ([4, 7, 10, 13], [6, 10, 14, 17]),
        "front": ([18, 20, 23, 26], [24, 28, 31, 33]),
        "width": (0.85, 1.1),
        "push": [1, 3, 5, 6],
        "players": [
            # label, x, t without, t with, role
            ("GK  goalkeeper", 13, 0, 0, "GK"),
            ("LB  left back", 4, 0, 0, "FBL"),
            ("LCB left centre back", 10, 0, 0, ""),
            ("RCB right centre back", 16, 0, 0, ""),
            ("RB  right back", 22, 0, 0, "FBR"),
            ("LM  left midfield", 4, 0.5, 0.55, ""),
            ("LCM left central midfield", 10, 0.42, 0.45, ""),
            ("RCM right central midfield", 16, 0.42, 0.5, ""),
            ("RM  right midfield", 22, 0.5, 0.55, ""),
            ("LS  left striker", 10, 1, 1, ""),
            ("RS  right striker", 16, 1, 0.95, ""),
        ],
    },
    {
        "name": "Press433",
        "about": [
            "Press433: a 4-3-3 with a high line that presses narrow and high",
            "without the ball; the wingers and full-backs stretch it with the ball.",
        ],
        "back": ([7, 11, 15, 18], [8, 12, 16, 19]),
        "front": ([20, 24, 28, 31], [26, 29, 32, 34]),
        "width": (0.8, 1.15),
        "push": [2, 4, 6, 8],
        "players": [
            ("GK  goalkeeper", 13, 0, 0, "GK"),
            ("LB  left back", 4, 0, 0, "FBL"),
            ("LCB left centre back", 10, 0, 0, ""),
            ("RCB right centre back", 16, 0, 0, ""),
            ("RB  right back", 22, 0, 0, "FBR"),
            ("DM  holding midfield", 13, 0.3, 0.3, ""),
            ("LCM left central midfield", 9, 0.55, 0.6, ""),
            ("RCM right central midfield", 17, 0.55, 0.6, ""),
            ("LW  left wing", 3, 0.92, 0.9, ""),
            ("CF  centre forward", 13, 1, 1, ""),
            ("RW  right wing", 23, 0.92, 0.9, ""),
        ],
    },
    {
        "name": "Wing352",
        "about": [
            "Wing352: three centre backs and two wing-backs who drop back without",
            "the ball and give the width high up the pitch with it; two strikers.",
        ],
        "back": ([5, 8, 11, 14], [6, 10, 14, 17]),
        "front": ([19, 22, 25, 28], [25, 28, 31, 33]),
        "width": (0.85, 1.1),
        "push": [2, 4, 5, 6],
        "players": [
            ("GK  goalkeeper", 13, 0, 0, "GK"),
            ("LCB left centre back", 8, 0, 0, ""),
            ("CB  centre back", 13, 0, 0, ""),
            ("RCB right centre back", 18, 0, 0, ""),
            ("LWB left wing-back", 2, 0.15, 0.55, "FBL"),
            ("DM  holding midfield", 13, 0.3, 0.3, ""),
            ("LCM left central midfield", 8, 0.5, 0.55, ""),
            ("RCM right central midfield", 18, 0.5, 0.55, ""),
            ("RWB right wing-back", 24, 0.15, 0.55, "FBR"),
            ("LS  left striker", 10, 1, 1, ""),
            ("RS  right striker", 16, 1, 1, ""),
        ],
    },
    {
        "name": "Park532",
        "about": [
            "Park532: a back five that defends deep around its own box; three",
            "midfielders screen it, and only the two strikers stay up.",
        ],
        "back": ([3, 5, 7, 9], [5, 8, 11, 14]),
        "front": ([15, 17, 19, 22], [20, 24, 27, 30]),
        "width": (0.9, 1.0),
        "push": [1, 2, 4, 5],
        "players": [
            ("GK  goalkeeper", 13, 0, 0, "GK"),
            ("LWB left wing-back", 3, 0, 0.1, "FBL"),
            ("LCB left centre back", 8, 0, 0, ""),
            ("CB  centre back", 13, 0, 0, ""),
            ("RCB right centre back", 18, 0, 0, ""),
            ("RWB right wing-back", 23, 0, 0.1, "FBR"),
            ("LCM left central midfield", 8, 0.4, 0.45, ""),
            ("CM  central midfield", 13, 0.3, 0.35, ""),
            ("RCM right central midfield", 18, 0.4, 0.45, ""),
            ("ST  striker", 11, 1, 1, ""),
            ("SS  second striker", 15, 0.85, 0.9, ""),
        ],
    },
    {
        "name": "Diamond4312",
        "about": [
            "Diamond4312: a back four with a narrow midfield diamond behind two",
            "strikers; the full-backs give all the width with the ball.",
        ],
        "back": ([5, 8, 12, 15], [7, 11, 15, 18]),
        "front": ([19, 22, 26, 29], [25, 28, 31, 33]),
        "width": (0.8, 1.05),
        "push": [2, 5, 7, 9],
        "players": [
            ("GK  goalkeeper", 13, 0, 0, "GK"),
            ("LB  left back", 4, 0, 0.05, "FBL"),
            ("LCB left centre back", 10, 0, 0, ""),
            ("RCB right centre back", 16, 0, 0, ""),
            ("RB  right back", 22, 0, 0.05, "FBR"),
            ("DM  base of the diamond", 13, 0.25, 0.28, ""),
            ("LCM left of the diamond", 8, 0.48, 0.52, ""),
            ("RCM right of the diamond", 18, 0.48, 0.52, ""),
            ("AM  tip of the diamond", 13, 0.72, 0.75, ""),
            ("LS  left striker", 10, 1, 1, ""),
            ("RS  right striker", 16, 1, 1, ""),
        ],
    },
]

# Goalkeeper's y per ball state and zone row, and how far he follows the ball across.
GK_Y = ([1, 1, 2, 3], [1, 2, 3, 4])
GK_FOLLOW = 0.12
# How far the outfield players shift across towards the ball, per ball state.
FOLLOW = (0.35, 0.25)
# How much of the push a full-back gets with the ball on his side, in the
# centre, and on the far side.
PUSH_SIDE = (1.0, 0.7, 0.4)


def half_up(v):
    return int(math.floor(v + 0.5))


def clamp(v, lo, hi):
    return max(lo, min(hi, v))


def situation(formation, s, c, r):
    """The 11 positions (x, y) for ball state s, zone column c, zone row r."""
    back = formation["back"][s][r]
    front = formation["front"][s][r]
    width = formation["width"][s]
    ball_dx = BALL_X[c] - 13.0
    spots = []
    for label, x, t_without, t_with, role in formation["players"]:
        if role == "GK":
            px = 13 + ball_dx * GK_FOLLOW
            spots.append((clamp(half_up(px), 11, 15), GK_Y[s][r]))
            continue
        t = (t_without, t_with)[s]
        px = 13 + (x - 13) * width + ball_dx * FOLLOW[s]
        py = back + t * (front - back)
        if s == 1 and role in ("FBL", "FBR"):
            side = 0 if role == "FBL" else 2
            py += formation["push"][r] * PUSH_SIDE[abs(c - side)]
        spots.append((clamp(half_up(px), 1, 25), clamp(half_up(py), 2, 34)))
    # No two players on the same spot: move a later one across, towards the middle.
    taken = set()
    result = []
    for i, (px, py) in enumerate(spots):
        step = 1 if px < 13 else -1
        while (px, py) in taken:
            px += step
        taken.add((px, py))
        result.append((px, py))
    return result


def positions(formation):
    """positions[p][s][c][r] = (x, y)."""
    table = [[[[None] * 4 for _ in range(3)] for _ in range(2)] for _ in range(11)]
    for s in range(2):
        for c in range(3):
            for r in range(4):
                for p, spot in enumerate(situation(formation, s, c, r)):
                    table[p][s][c][r] = spot
    return table


HEADER = [
    "",
    "Text description of the positions, read by make-tactic (tools/tctwriter).",
    "Per player and ball state, one line per zone row: row 3 (ball near the",
    "opponent's goal) at the top down to row 0 (ball near our goal), each with",
    "the position x,y for zone columns 0, 1, 2 (ball on the left, centre, right).",
    "x runs across the pitch 0..26, y along it 0..35 with our goal at y = 0.",
]


def text(formation):
    table = positions(formation)
    lines = ["# " + line if line else "#" for line in formation["about"] + HEADER]
    for p, player in enumerate(formation["players"]):
        lines.append("")
        lines.append("player %d  %s" % (p, player[0]))
        for s, name in enumerate(("without ball", "with ball")):
            lines.append(name)
            for r in range(3, -1, -1):
                row = "  row %d:" % r
                for c in range(3):
                    pair = "%d,%d" % table[p][s][c][r]
                    row += " " * max(1, 8 - len(pair)) + pair
                lines.append(row)
    return "\n".join(lines) + "\n"


def write_png(path, width, height, pixels):
    raw = b"".join(b"\x00" + bytes(pixels[y * width * 3:(y + 1) * width * 3]) for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def preview(formation, path):
    cell, gap = 5, 6
    pw, ph = 27 * cell, 36 * cell
    width = 6 * pw + 7 * gap
    height = 4 * ph + 5 * gap
    pixels = bytearray([255] * (width * height * 3))

    def put(x, y, colour):
        if 0 <= x < width and 0 <= y < height:
            i = (y * width + x) * 3
            pixels[i:i + 3] = bytes(colour)

    table = positions(formation)
    for s in range(2):
        for c in range(3):
            for r in range(4):
                left = gap + (s * 3 + c) * (pw + gap)
                top = gap + (3 - r) * (ph + gap)
                for y in range(ph):
                    for x in range(pw):
                        put(left + x, top + y, (0, 90, 0) if (y // cell) != 18 else (0, 130, 0))
                bx = left + int(BALL_X[c] * cell)
                by = top + ph - int((4.5 + 9 * r) * cell)
                for dy in range(-2, 3):
                    for dx in range(-2, 3):
                        put(bx + dx, by + dy, (255, 255, 255))
                for p in range(11):
                    x, y = table[p][s][c][r]
                    colour = (255, 255, 0) if p == 0 else ((200, 0, 0) if s == 0 else (60, 60, 255))
                    for dy in range(cell - 1):
                        for dx in range(cell - 1):
                            put(left + x * cell + dx, top + ph - (y + 1) * cell + dy, colour)
    write_png(path, width, height, pixels)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "examples", "game", "tactics"))
    parser.add_argument("--preview", help="folder for PNG previews")
    args = parser.parse_args()
    for formation in FORMATIONS:
        with open(os.path.join(args.out, formation["name"] + ".txt"), "w", newline="\n") as out:
            out.write(text(formation))
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            preview(formation, os.path.join(args.preview, formation["name"] + ".png"))


if __name__ == "__main__":
    main()
