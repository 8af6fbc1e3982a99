#pragma once

#include <QStringView>

#include <span>
#include <vector>

// Splits a row when drawn. Wrapping ends rows here too, and a received line may carry it.
inline constexpr char16_t kRowBreak = 0x1E;

// One screen row of a wrapped line: the UTF-16 units [nStart, nEnd) of the decoded line.
struct TextRow
{
    qsizetype nStart = 0;
    qsizetype nEnd = 0;

    friend bool operator==(const TextRow&, const TextRow&) = default;
};

// Word-wraps a decoded line (colour codes still in it) to rows narrower than nLimit, given the
// advance of the character that starts at each unit. Colour codes take no width. A row ends at
// the last blank before the character that no longer fits (the blank is dropped); a line that
// starts with a blank and has no other breaks at that character; a word wider than the row
// runs on and is clipped. A received row break always ends a row. Always returns one row at
// least and never splits a character.
std::vector<TextRow> WrapLine(QStringView text, std::span<const qreal> advances, qreal nLimit);
