#include "resources/DlgItem.h"

#include "resources/resource.h"

#include <QDialog>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QWidget* AddControl(QWidget* pParent, int nId)
{
    auto* pControl = new QPushButton(pParent);
    if (nId != -1)
        pControl->setProperty(kCtrlIdProperty, nId);
    return pControl;
}

TEST(DlgItemTest, ControlsWhoseIdHasAStringGetItsToolTip)
{
    // A button showing only an icon is named by its tip, unless it has a name or a caption.
    const struct
    {
        int nId;
        const char* caption;
        const char* name;
        const char* tip;
        const char* nameAfter;
    } cases[] = {
        {IDC_BROWSE, "", "", "Browse for log file", "Browse for log file"},
        {IDC_TEST, "", "Run it", "Test (F9)", "Run it"},
        {ID_SEND_MESSAGE, "", "", "Send Message", "Send Message"}, // the tip half of "prompt\ntip"
        {IDC_ADD, "&Add", "", "Add (Insert)", ""},
        {IDC_COMPUTER, "", "", "", ""}, // no string
        {-1, "", "", "", ""},           // no id
    };
    QDialog dialog;
    for (const auto& c : cases) {
        QWidget* pControl = AddControl(&dialog, c.nId);
        pControl->setObjectName(QString::number(c.nId));
        static_cast<QPushButton*>(pControl)->setText(QString::fromUtf8(c.caption));
        pControl->setAccessibleName(QString::fromUtf8(c.name));
    }
    RegisterToolTips(&dialog);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nId);
        const QWidget* pControl = dialog.findChild<QWidget*>(QString::number(c.nId));
        EXPECT_EQ(pControl->toolTip(), QString::fromUtf8(c.tip));
        EXPECT_EQ(pControl->accessibleName(), QString::fromUtf8(c.nameAfter));
    }
}

} // namespace
