#pragma once

#include "platform/app/SystemResources.h"

#include <QDialog>
#include <QScopedPointer>
#include <optional>

class CHyperLink;
namespace Ui {
class CAboutDlg;
}

// Dialog 184: the program's name, version and build, the computer's memory and free disk
// space, and where to reach the makers. The name opens the credits; the web address opens in
// the desktop's browser.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
    ~CAboutDlg() override;

    // "%lu KB" of the memory in bytes, or "Unavailable".
    static QString PhysicalMemoryText(std::optional<quint64> nBytes);
    // "%lu KB Free on %s" of the free space and the mount point, or "Unavailable".
    static QString FreeDiskSpaceText(const std::optional<DiskFree>& diskFree);

private:
    void DoDataExchange();
    bool OnInitDialog();

    const QScopedPointer<Ui::CAboutDlg> m_ui;
    CHyperLink* m_linkName = nullptr;
    CHyperLink* m_linkWeb = nullptr;
};

// Runs the About box modally over pParent (none: on its own). The box lives on the heap, so that
// an owner that goes while it is open (the program told to end) can take it along.
void ShowAboutBox(QWidget* pParent);
