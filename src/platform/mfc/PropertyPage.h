#pragma once

#include <QString>
#include <QWidget>

// One page of a CPropertySheet. It is made ready the first time it is shown (OnInitDialog);
// leaving it or confirming the sheet first asks it to take its controls' values (OnKillActive,
// false keeps it in front); confirming then asks every page that was ever shown to apply them
// (OnApply, false keeps the sheet open).
class CPropertyPage : public QWidget
{
    Q_OBJECT

public:
    explicit CPropertyPage(const QString& strTitle, QWidget* pParent = nullptr);

    QString Title() const { return m_strTitle; }
    // Whether the page has been shown, and so made ready.
    bool IsCreated() const { return m_bCreated; }
    // Called by the sheet each time the page comes to the front.
    void Activate();

    virtual bool OnKillActive() { return true; }
    virtual bool OnApply() { return true; }

protected:
    virtual void OnInitDialog() {}
    // However the page comes to be shown, it is made ready first.
    void showEvent(QShowEvent* pEvent) override;

private:
    QString m_strTitle;
    bool m_bCreated = false;
};
