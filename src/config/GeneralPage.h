#pragma once

#include "platform/mfc/PropertyPage.h"
#include "settings/Settings.h"

#include <QByteArray>
#include <QScopedPointer>

#include <functional>

class CButtonST;
class CUpDownEdit;
class QCheckBox;
class QLabel;
namespace Ui {
class CGeneralPage;
}

// Dialog 150, the General page of the Properties sheet: the display and behaviour options of
// the settings record, and whether the desktop starts Tellwick at login. The page loads its own
// record when it is built and saves it, with the start-up entry, when the sheet is confirmed.
class CGeneralPage : public CPropertyPage
{
    Q_OBJECT

public:
    // Asks the user for a log file; an empty answer when they cancelled.
    using FileChooser = std::function<QString(QWidget* pParent)>;

    explicit CGeneralPage(QWidget* pParent = nullptr);
    ~CGeneralPage() override;

    bool OnKillActive() override;
    bool OnApply() override;

    // Replaces the file dialog (tests answer it themselves).
    void SetLogFileChooser(FileChooser choose);

    bool m_bRunAtStartup = false;
    int m_nMaxLines;
    bool m_bAddDateTime;
    QByteArray m_strFastMark;
    bool m_bFlashTrayIcon;
    QByteArray m_strLogFileName;
    bool m_bLogToFile;
    bool m_bMakeVisible;

protected:
    void OnInitDialog() override;

private:
    // Takes the controls' values into the members (true; false when Max lines is no integer,
    // which the user is told) or puts the members into the controls.
    bool UpdateData(bool bSaveAndValidate);
    void EnableLogControls(bool bEnable);
    void OnLogToFile();
    void OnBrowse();
    bool SaveOptions();

    const QScopedPointer<Ui::CGeneralPage> m_ui;
    QLabel* m_stcLogFileName;
    QCheckBox* m_btnLogToFile;
    CButtonST* m_btnBrowse;
    CUpDownEdit* m_spinMaxLines;
    CSettings m_settings;
    FileChooser m_chooseLogFile;
};
