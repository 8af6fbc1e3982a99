#pragma once

#include <QDialog>
#include <QHash>
#include <memory>

class CComputerBrowser;
namespace Ui {
class CFindComputerDlg;
}

// Lists the computers that the network browser sees and lets the user pick one or type a
// name; when browsing is not available it says so and only the typed name counts.
class CFindComputerDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFindComputerDlg(std::unique_ptr<CComputerBrowser> pBrowser,
                              QWidget* pParent = nullptr);
    ~CFindComputerDlg() override;

    // The computer chosen or typed.
    QString GetComputerName() const;

private:
    void OnComputerFound(const QString& hostName);
    void OnComputerLost(const QString& hostName);
    void OnBrowsingUnavailable();
    void OnNameChanged();

    const QScopedPointer<Ui::CFindComputerDlg> m_ui;
    std::unique_ptr<CComputerBrowser> m_pBrowser;
    // How often each computer is currently announced (once per network it is seen on).
    QHash<QString, int> m_sightings;
};
