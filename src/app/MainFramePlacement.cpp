// The main frame's remembered state: placement, bar layout.
#include "app/MainFrame.h"

#include "app/FrameCommands.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

// The available areas of the screens there are now, the primary first.
QList<QRect> ScreenAreas()
{
    QList<QRect> areas;
    if (const QScreen* pPrimary = QGuiApplication::primaryScreen())
        areas.append(pPrimary->availableGeometry());
    for (const QScreen* pScreen : QGuiApplication::screens()) {
        if (pScreen != QGuiApplication::primaryScreen())
            areas.append(pScreen->availableGeometry());
    }
    return areas;
}

} // namespace

void CMainFrame::RestorePlacement(quint32 nShowCmd)
{
    WindowPlacement placement;
    if (ReadWindowPlacement(placement, kWindowPos.name)) {
        // The stored show command is never used: the caller's one replaces it.
        placement.showCmd = nShowCmd;
        const QRect normal(placement.nLeft, placement.nTop, placement.nRight - placement.nLeft,
                           placement.nBottom - placement.nTop);
        // A rectangle stored on another display set-up could lie where no screen is, or
        // with its title bar above the top edge: it opens where it can be reached.
        if (!normal.isEmpty()) {
            const int nTitleHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
            setGeometry(FitOnScreen(normal, minimumSize(), ScreenAreas(), nTitleHeight));
        }
    }
    switch (nShowCmd) {
    case SW_HIDE:
        break;
    case SW_SHOWMINIMIZED:
        showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        showMaximized();
        break;
    default:
        show();
        break;
    }
}

bool CMainFrame::ReadWindowPlacement(WindowPlacement& placement, QByteArrayView valueName)
{
    const QByteArray text = GetProfileString(kWindowPos.section, valueName);
    const auto parsed = ParseWindowPlacement(text);
    if (text.isEmpty() || !parsed)
        return false;
    placement = *parsed;
    return true;
}

void CMainFrame::WriteWindowPlacement(const WindowPlacement& placement, QByteArrayView valueName)
{
    WriteProfileString(kWindowPos.section, valueName, FormatWindowPlacement(placement));
}

void CMainFrame::SavePlacement()
{
    WindowPlacement placement;
    placement.flags = isMaximized() ? WPF_RESTORETOMAXIMIZED : 0;
    placement.showCmd = isMinimized()   ? SW_SHOWMINIMIZED
                        : isMaximized() ? SW_SHOWMAXIMIZED
                                        : SW_SHOWNORMAL;
    // The rectangle is the restored one, also while maximised, minimised or in the tray.
    const QRect normal =
        (isMaximized() || isMinimized()) && normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.nLeft = normal.left();
    placement.nTop = normal.top();
    placement.nRight = normal.left() + normal.width();
    placement.nBottom = normal.top() + normal.height();
    WriteWindowPlacement(placement, kWindowPos.name);
}

void CMainFrame::LoadBarState()
{
    QByteArray state;
    if (GetProfileBinary(kBarState.section, kBarState.name, state))
        restoreState(state);
    statusBar()->setVisible(GetProfileInt(kStatusBarVisible.section, kStatusBarVisible.name,
                                          int(kStatusBarVisible.dwDefault)) != 0);
}

void CMainFrame::SaveBarState()
{
    WriteProfileBinary(kBarState.section, kBarState.name, saveState());
    WriteProfileInt(kStatusBarVisible.section, kStatusBarVisible.name,
                    statusBar()->isVisibleTo(this) ? 1 : 0);
}
