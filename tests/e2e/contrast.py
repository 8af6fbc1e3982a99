#!/usr/bin/python3
# Measures how well the bottom line of text in a screen area stands out from the area's
# background, as the WCAG contrast ratio of relative luminances (readable text needs 4.5).
#   contrast.py IMAGE X Y WIDTH HEIGHT   prints "ratio background text background-luminance";
#                                         fails while the area holds no text
# The background is the area's commonest colour, the line the lowest band of rows that holds
# other colours, and the text colour the tenth most different pixel of that band: a stray
# pixel or two does not decide.
import collections
import subprocess
import sys

TEXT_PIXELS = 10


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def main(image, x, y, width, height):
    raw = subprocess.run(["convert", image, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                          "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    if len(raw) != width * height * 3:
        sys.exit(f"the area {width}x{height}+{x}+{y} is not inside {image}")
    rows = [[tuple(raw[i:i + 3]) for i in range((row * width) * 3, (row + 1) * width * 3, 3)]
            for row in range(height)]
    background = collections.Counter(p for row in rows for p in row).most_common(1)[0][0]
    band = []
    for row in reversed(rows):
        if any(p != background for p in row):
            band.extend(row)
        elif band:
            break
    if not band:
        sys.exit("no text drawn")
    ratios = sorted((contrast(p, background), p) for p in band)
    ratio, text = ratios[max(0, len(ratios) - TEXT_PIXELS)]
    print(f"{ratio:.2f} #{bytes(background).hex()} #{bytes(text).hex()} "
          f"{luminance(background):.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], *(int(v) for v in sys.argv[2:6])))
