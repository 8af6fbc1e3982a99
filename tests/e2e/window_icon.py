#!/usr/bin/python3
# Compares the icon a window carries (_NET_WM_ICON, what the task bar and Alt+Tab show) with the
# PNG files of an icon theme: every size the window carries must be there, pixel for pixel.
#   window_icon.py WINDOW THEME_DIR NAME   prints the sizes compared; fails on any difference
import subprocess
import sys

from Xlib import X, display


def theme_pixels(path, width, height):
    raw = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], capture_output=True,
                         check=True).stdout
    if len(raw) != width * height * 4:
        sys.exit(f"{path} is not {width}x{height}")
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def main(window, theme, name):
    d = display.Display()
    win = d.create_resource_object("window", int(window, 0))
    prop = win.get_full_property(d.intern_atom("_NET_WM_ICON"), X.AnyPropertyType)
    if prop is None or not len(prop.value):
        sys.exit("the window carries no icon")
    data = list(prop.value)
    sizes = []
    i = 0
    while i + 2 <= len(data):
        width, height = data[i], data[i + 1]
        argb = data[i + 2:i + 2 + width * height]
        i += 2 + width * height
        path = f"{theme}/{width}x{height}/apps/{name}.png"
        try:
            expected = theme_pixels(path, width, height)
        except (OSError, subprocess.CalledProcessError):
            sys.exit(f"the window carries a {width}x{height} icon, the theme has no {path}")
        for n, (pixel, (r, g, b, a)) in enumerate(zip(argb, expected)):
            shown = ((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255, pixel >> 24 & 255)
            # The colour of a fully transparent pixel is not drawn.
            if shown[3] != a or (a and shown[:3] != (r, g, b)):
                sys.exit(f"{width}x{height}: pixel {n % width},{n // width} is {shown}, "
                         f"the theme's {(r, g, b, a)}")
        sizes.append(f"{width}x{height}")
    print(" ".join(sizes))
    return 0


sys.exit(main(*sys.argv[1:]))
