#include "config/GeneralPage.h"

#include "alerts/EditBytes.h"
#include "extlib/orvocmn/ButtonST.h"
#include "platform/desktop/AutostartEntry.h"
#include "platform/mfc/UpDownEdit.h"
#include "resources/DlgItem.h"
#include "resources/ResIcon.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "ui_GeneralPage.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

constexpr int kGroupIconSize = 32;
// The up-down arrows stay within these; a typed number need not.
constexpr int kSpinLower = 10;
constexpr int kSpinUpper = 9999;

QString AskForLogFile(QWidget* pParent)
{
    // Any name is taken, also of a file that is not there yet, without the save dialog's
    // question about replacing one that is. The desktop's own open dialogs take existing files
    // only, so Qt's dialog is used.
    QFileDialog dialog(pParent, QString(), QString(),
                       CGeneralPage::tr("Log Files (*.log);;All Files (*)"));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

CAutostartEntry StartupEntry()
{
    return CAutostartEntry(LoadResSourceString(AFX_IDS_APP_TITLE));
}

} // namespace

CGeneralPage::CGeneralPage(QWidget* pParent)
    : CPropertyPage(tr("General"), pParent), m_ui(new Ui::CGeneralPage),
      m_chooseLogFile(AskForLogFile)
{
    m_nMaxLines = m_settings.GetMaxLines();
    m_bAddDateTime = m_settings.GetAddDateTime();
    m_strFastMark = m_settings.GetFastMark();
    m_bFlashTrayIcon = m_settings.GetFlashTrayIcon();
    m_strLogFileName = m_settings.GetLogFileName();
    m_bLogToFile = m_settings.GetLogToFile();
    m_bMakeVisible = m_settings.GetMakeVisible();

    m_ui->setupUi(this);
    m_stcLogFileName = m_ui->logFileNameLabel;
    m_btnLogToFile = m_ui->logToFileCheckBox;
    m_btnBrowse = m_ui->browseButton;
    m_spinMaxLines = m_ui->maxLinesEdit;
    m_ui->displayIconLabel->setPixmap(LoadResIcon(IDI_DISPLAY).pixmap(kGroupIconSize));
    m_ui->optionsIconLabel->setPixmap(LoadResIcon(IDI_OPTIONS).pixmap(kGroupIconSize));
    connect(m_btnLogToFile, &QCheckBox::clicked, this, &CGeneralPage::OnLogToFile);
    connect(m_btnBrowse, &QPushButton::clicked, this, &CGeneralPage::OnBrowse);
}

CGeneralPage::~CGeneralPage() = default;

void CGeneralPage::SetLogFileChooser(FileChooser choose)
{
    m_chooseLogFile = std::move(choose);
}

void CGeneralPage::OnInitDialog()
{
    m_btnBrowse->SetIcon(IDI_BROWSE, 0, 32, 32);
    m_btnBrowse->SetFlat(false);
    // The icon button keeps the height of the field it browses for.
    const int nEditHeight = m_ui->logFileNameEdit->sizeHint().height();
    m_btnBrowse->setFixedSize(nEditHeight, nEditHeight);
    RegisterToolTips(this);
    m_spinMaxLines->SetRange(kSpinLower, kSpinUpper);
    m_bRunAtStartup = StartupEntry().Exists();
    UpdateData(false);
    EnableLogControls(m_bLogToFile);
}

bool CGeneralPage::UpdateData(bool bSaveAndValidate)
{
    if (!bSaveAndValidate) {
        m_ui->runAtStartupCheckBox->setChecked(m_bRunAtStartup);
        m_spinMaxLines->SetText(QString::number(m_nMaxLines));
        m_ui->addDateTimeCheckBox->setChecked(m_bAddDateTime);
        SetEditBytes(*m_ui->fastMarkEdit, m_strFastMark, m_ui->fastMarkEdit->maxLength());
        m_ui->flashTrayIconCheckBox->setChecked(m_bFlashTrayIcon);
        SetEditBytes(*m_ui->logFileNameEdit, m_strLogFileName, m_ui->logFileNameEdit->maxLength());
        m_btnLogToFile->setChecked(m_bLogToFile);
        m_ui->makeVisibleCheckBox->setChecked(m_bMakeVisible);
        return true;
    }
    bool bInteger = false;
    const int nMaxLines = m_spinMaxLines->Text().toInt(&bInteger);
    if (!bInteger) {
        QMessageBox::warning(this, LoadResString(AFX_IDS_APP_TITLE),
                             tr("Please enter a whole number of lines."));
        m_spinMaxLines->setFocus();
        m_spinMaxLines->selectAll();
        return false;
    }
    m_bRunAtStartup = m_ui->runAtStartupCheckBox->isChecked();
    m_nMaxLines = nMaxLines;
    m_bAddDateTime = m_ui->addDateTimeCheckBox->isChecked();
    m_strFastMark = GetEditBytes(*m_ui->fastMarkEdit, m_strFastMark);
    m_bFlashTrayIcon = m_ui->flashTrayIconCheckBox->isChecked();
    m_strLogFileName = GetEditBytes(*m_ui->logFileNameEdit, m_strLogFileName);
    m_bLogToFile = m_btnLogToFile->isChecked();
    m_bMakeVisible = m_ui->makeVisibleCheckBox->isChecked();
    return true;
}

void CGeneralPage::EnableLogControls(bool bEnable)
{
    m_ui->logFileNameEdit->setEnabled(bEnable);
    m_btnBrowse->setEnabled(bEnable);
    m_stcLogFileName->setEnabled(bEnable);
}

void CGeneralPage::OnLogToFile()
{
    EnableLogControls(m_btnLogToFile->isChecked());
}

void CGeneralPage::OnBrowse()
{
    // Only the field changes; the file is neither opened nor made here.
    const QString strPath = m_chooseLogFile(this);
    if (!strPath.isEmpty())
        m_ui->logFileNameEdit->setText(strPath);
}

bool CGeneralPage::OnKillActive()
{
    return UpdateData(true);
}

bool CGeneralPage::OnApply()
{
    return SaveOptions();
}

bool CGeneralPage::SaveOptions()
{
    if (!UpdateData(true))
        return false;
    m_settings.SetAddDateTime(m_bAddDateTime);
    m_settings.SetMaxLines(m_nMaxLines);
    m_settings.SetMakeVisible(m_bMakeVisible);
    m_settings.SetFlashTrayIcon(m_bFlashTrayIcon);
    m_settings.SetLogToFile(m_bLogToFile);
    m_settings.SetLogFileName(m_strLogFileName);
    m_settings.SetFastMark(m_strFastMark);
    m_settings.Save();
    // As the store's own failures, a start-up entry that cannot be written or removed is not
    // reported. The entry starts this very program as the menu entry does, with that entry's
    // icon, which bears the entry's name.
    const CAutostartEntry entry = StartupEntry();
    if (m_bRunAtStartup)
        entry.Write(QCoreApplication::applicationFilePath(), QGuiApplication::desktopFileName());
    else
        entry.Remove();
    return true;
}
