#pragma once

#include <QDialog>
#include <QHash>
#include <memory>

class CComputerBrowser;
class QListWidgetItem;
namespace Ui {
class CFindComputerDlg;
}

// Lists the computers that the network browser sees, running copies of Tellwick first, and
// lets the user pick one or type a name; when browsing is not available it says so and only
// the typed name counts. A picked copy is named so that a message reaches its inbox.
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
    void OnCopyFound(const QString& hostName, quint16 nPort);
    void OnCopyLost(const QString& hostName, quint16 nPort);
    void OnBrowsingUnavailable();
    void OnNameChanged();

    // Counts one more sighting of an item; makes the item at the first.
    QListWidgetItem* Sighted(int nKind, const QString& strName, const QString& hostName);
    void LostSight(int nKind, const QString& strName, const QString& hostName);
    // A computer that runs a copy is listed as the copy only.
    void UpdateComputerShown(const QString& hostName);

    const QScopedPointer<Ui::CFindComputerDlg> m_ui;
    std::unique_ptr<CComputerBrowser> m_pBrowser;
    // How often each item is currently announced (once per network it is seen on).
    QHash<QString, int> m_sightings;
};
