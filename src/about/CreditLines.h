#pragma once

#include <array>

// The credits, top to bottom. The last character of a line is its marker and is never shown:
// '\n' heading, '\r' sub-heading, '\t' minor heading, '\b' a bitmap named by the text, anything
// else (the form feed by custom) a plain line. An empty string is a blank line.
extern const std::array<const char*, 34> g_creditLines;
