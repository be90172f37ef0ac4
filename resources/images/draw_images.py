#!/usr/bin/env python3
"""Generate Tellaria's 16x16 toolbar images as XPM files.

Each icon is a 16-line character grid plus its own palette.  The space
character is always transparent ("None").  Edit a grid or a palette and run

    python3 draw_images.py

to rewrite image0.xpm ... image9.xpm next to this script.
"""

import os

# Shared colours (Tango-like flat palette).
OUTLINE = "#2e3436"
PAPER = "#ffffff"
FOLD = "#d3d7cf"
TEXT = "#babdb6"
RED = "#ef2929"
RED_DARK = "#a40000"
GLASS = "#c5dcf3"
GLASS_SHINE = "#ffffff"
HANDLE = "#8f5902"

PAGE = {"#": OUTLINE, "w": PAPER, "f": FOLD, "l": TEXT}

ICONS = [
    # 0: previous page - arrow pointing left
    (
        {"#": "#204a87", "o": "#729fcf", "b": "#3465a4"},
        [
            "                ",
            "                ",
            "       #        ",
            "      ##        ",
            "     #o#        ",
            "    #oo#######  ",
            "   #ooooooooo#  ",
            "  #oooooooooo#  ",
            "  #bbbbbbbbbb#  ",
            "   #bbbbbbbbb#  ",
            "    #bb#######  ",
            "     #b#        ",
            "      ##        ",
            "       #        ",
            "                ",
            "                ",
        ],
    ),
    # 1: next page - arrow pointing right
    (
        {"#": "#204a87", "o": "#729fcf", "b": "#3465a4"},
        [
            "                ",
            "                ",
            "        #       ",
            "        ##      ",
            "        #o#     ",
            "  #######oo#    ",
            "  #ooooooooo#   ",
            "  #oooooooooo#  ",
            "  #bbbbbbbbbb#  ",
            "  #bbbbbbbbb#   ",
            "  #######bb#    ",
            "        #b#     ",
            "        ##      ",
            "        #       ",
            "                ",
            "                ",
        ],
    ),
    # 2: close current page - a page with a red X
    (
        dict(PAGE, r=RED, R=RED_DARK),
        [
            " #######        ",
            " #wwwww##       ",
            " #wwwww#f#      ",
            " #wlllw#ff#     ",
            " #wwwww#####    ",
            " #wlllllllw#    ",
            " #wwwwwwwww#    ",
            " #wlllllRRw# RR ",
            " #wwwwwRrrR#RrrR",
            " #wllllRrrrRrrrR",
            " #wwwwwwRrrrrrR ",
            " #wllllllRrrrR  ",
            " #wwwwwwRrrrrrR ",
            " #wwwwwRrrrRrrrR",
            " ######RrrR#RrrR",
            "        RR   RR ",
        ],
    ),
    # 3: unused - a plain text document
    (
        dict(PAGE),
        [
            "                ",
            "  ########      ",
            "  #wwwwww##     ",
            "  #wwwwww#f#    ",
            "  #wllllw#ff#   ",
            "  #wwwwww#####  ",
            "  #wllllllllw#  ",
            "  #wwwwwwwwww#  ",
            "  #wllllllllw#  ",
            "  #wwwwwwwwww#  ",
            "  #wllllllllw#  ",
            "  #wwwwwwwwww#  ",
            "  #wllllllwww#  ",
            "  #wwwwwwwwww#  ",
            "  ############  ",
            "                ",
        ],
    ),
    # 4: print - a printer with a sheet going in and one coming out
    (
        {"#": OUTLINE, "w": PAPER, "l": TEXT, "h": "#eeeeec",
         "g": "#babdb6", "k": "#888a85", "e": "#73d216"},
        [
            "                ",
            "    ########    ",
            "    #wwwwww#    ",
            "    #wllllw#    ",
            "    #wwwwww#    ",
            "  ############  ",
            " #hhhhhhhhhhhh# ",
            " #gggggggggggg# ",
            " #ggggggggggeg# ",
            " #gggggggggggg# ",
            " #kk########kk# ",
            " #kk#wwwwww#kk# ",
            " ####wllllw#### ",
            "    #wwwwww#    ",
            "    ########    ",
            "                ",
        ],
    ),
    # 5: save - a floppy disk
    (
        {"#": "#1e3250", "b": "#3465a4", "s": "#d3d7cf", "k": "#555753",
         "w": PAPER, "l": TEXT},
        [
            "                ",
            " #############  ",
            " #bbsssskksbbb# ",
            " #bbsssskksbbb# ",
            " #bbsssskksbbb# ",
            " #bbssssssssbb# ",
            " #bbbbbbbbbbbb# ",
            " #bwwwwwwwwwwb# ",
            " #bwwwwwwwwwwb# ",
            " #bwllllllllwb# ",
            " #bwwwwwwwwwwb# ",
            " #bwllllllllwb# ",
            " #bwwwwwwwwwwb# ",
            " #bwwwwwwwwwwb# ",
            " ############## ",
            "                ",
        ],
    ),
    # 6: print preview - a page with a magnifying glass
    (
        dict(PAGE, c=GLASS, s=GLASS_SHINE, h=HANDLE),
        [
            "#######         ",
            "#wwwww##        ",
            "#wwwww#f#       ",
            "#wlllw####      ",
            "#wwwwwwww#      ",
            "#wlllll####     ",
            "#wwwww#sscc#    ",
            "#wlll#sccccc#   ",
            "#wwww#cccccc#   ",
            "#wlll#cccccc#   ",
            "#wwww#cccccc#   ",
            "#wllll#cccc#h#  ",
            "#wwwwww#####hh# ",
            "#wwwwwwww#  #hh#",
            "##########   ###",
            "                ",
        ],
    ),
    # 7: close all pages - two stacked pages with a red X
    (
        dict(PAGE, r=RED, R=RED_DARK),
        [
            " #######        ",
            " #wwwww##       ",
            " #w#######      ",
            " #w#wwwww##     ",
            " #w#wwwww#f#    ",
            " #w#wlllw####   ",
            " #w#wwwwwwww#   ",
            " #w#wlllRRlw#RR ",
            " #w#wwwRrrRwRrrR",
            " #w#wllRrrrRrrrR",
            " #w#wwwwRrrrrrR ",
            " ###wllllRrrrR  ",
            "   #wwwwRrrrrrR ",
            "   #wwwRrrrRrrrR",
            "   ####RrrR#RrrR",
            "        RR   RR ",
        ],
    ),
    # 8: unused - a blank page
    (
        dict(PAGE),
        [
            "                ",
            "  ########      ",
            "  #wwwwww##     ",
            "  #wwwwww#f#    ",
            "  #wwwwww#ff#   ",
            "  #wwwwww#####  ",
            "  #wwwwwwwwww#  ",
            "  #wwwwwwwwww#  ",
            "  #wwwwwwwwww#  ",
            "  #wwwwwwwwww#  ",
            "  #wwwwwwwwww#  ",
            "  #wwwwwwwwww#  ",
            "  #wwwwwwwwww#  ",
            "  #wwwwwwwwww#  ",
            "  ############  ",
            "                ",
        ],
    ),
    # 9: query / search - a magnifying glass
    (
        {"#": OUTLINE, "c": GLASS, "s": GLASS_SHINE, "h": HANDLE},
        [
            "                ",
            "   ######       ",
            "  ##cccc##      ",
            " ##sscccc##     ",
            " #sscccccc#     ",
            " #sccccccc#     ",
            " #cccccccc#     ",
            " #cccccccc#     ",
            " ##cccccc##     ",
            "  ##cccc##h#    ",
            "   #######hh#   ",
            "          #hh#  ",
            "           #hh# ",
            "            #hh#",
            "             ###",
            "                ",
        ],
    ),
]


def to_xpm(name, palette, grid):
    """Return the XPM3 text for one icon."""
    assert len(grid) == 16, (name, len(grid))
    used = sorted({ch for row in grid for ch in row})
    for row in grid:
        assert len(row) == 16, (name, row)
    for ch in used:
        assert ch == " " or ch in palette, (name, ch)
    keys = [" "] + [ch for ch in used if ch != " "] if " " in used else used
    lines = ["/* XPM */", "static const char *%s[] = {" % name,
             '"16 16 %d 1",' % len(keys)]
    for ch in keys:
        lines.append('"%s c %s",' % (ch, "None" if ch == " " else palette[ch]))
    for i, row in enumerate(grid):
        lines.append('"%s"%s' % (row, "," if i < 15 else ""))
    lines.append("};")
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for index, (palette, grid) in enumerate(ICONS):
        name = "image%d" % index
        with open(os.path.join(here, name + ".xpm"), "w") as out:
            out.write(to_xpm(name, palette, grid))


if __name__ == "__main__":
    main()
