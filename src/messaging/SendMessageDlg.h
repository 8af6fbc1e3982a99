#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class CButtonST;
class CComputerBrowser;
class QLineEdit;
namespace Ui {
class CSendMessageDlg;
}

// Dialog 143: one message to one computer. OK sends it with its colour tags translated and
// closes; nothing is remembered for the next opening.
class CSendMessageDlg : public QDialog
{
    Q_OBJECT

public:
    using BrowserFactory = std::function<std::unique_ptr<CComputerBrowser>()>;

    explicit CSendMessageDlg(QWidget* pParent = nullptr);
    ~CSendMessageDlg() override;

    // Replaces the network browsing behind the find button (tests need no daemon).
    void SetComputerBrowserFactory(BrowserFactory factory);

private:
    // Takes the controls' texts into the fields (true) or puts the fields into the controls.
    void UpdateData(bool bSaveAndValidate);
    void AppendTag(const char* tag);

    void OnFindComputer();
    void OnColor();
    void OnColorCommand(int nID);
    void OnOK();

    const QScopedPointer<Ui::CSendMessageDlg> m_ui;
    QLineEdit* m_editMessage;
    CButtonST* m_btnColor;
    CButtonST* m_btnFind;
    QString m_strComputer;
    QString m_strMessage;
    BrowserFactory m_makeBrowser;
};
