#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QRect>

#include <optional>

// Show commands and the placement flag that stored placements use.
inline constexpr quint32 SW_HIDE = 0;
inline constexpr quint32 SW_SHOWNORMAL = 1;
inline constexpr quint32 SW_SHOWMINIMIZED = 2;
inline constexpr quint32 SW_SHOWMAXIMIZED = 3;
inline constexpr quint32 SW_SHOW = 5;
inline constexpr quint32 WPF_RESTORETOMAXIMIZED = 2;

// A window's placement as "WindowPos" stores it: flags, show command, minimised and maximised
// positions, and the restored (normal) rectangle with exclusive right and bottom, in screen
// coordinates.
struct WindowPlacement
{
    quint32 flags = 0;
    quint32 showCmd = SW_SHOWNORMAL;
    int nMinX = -1;
    int nMinY = -1;
    int nMaxX = -1;
    int nMaxY = -1;
    int nLeft = 0;
    int nTop = 0;
    int nRight = 0;
    int nBottom = 0;

    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Reads the ten comma-separated numbers of "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d" as the C library's
// scanner does (blanks before a number allowed, anything after the tenth ignored); nothing when
// fewer than ten parse or a number does not fit its field.
std::optional<WindowPlacement> ParseWindowPlacement(QByteArrayView text);
QByteArray FormatWindowPlacement(const WindowPlacement& placement);

// Where a stored window rectangle opens on the screens there are now (their available areas,
// the primary first): whole on the screen it overlaps most, or on the primary screen, at least
// nTitleHeight below that screen's top so that its title bar can be reached, and at least
// minimum large. A screen smaller than that gets the window at its top left.
QRect FitOnScreen(QRect rect, QSize minimum, const QList<QRect>& areas, int nTitleHeight);
