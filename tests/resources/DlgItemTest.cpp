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
    const struct
    {
        int nId;
        const char* tip;
    } cases[] = {
        {IDC_BROWSE, "Browse for log file"},
        {IDC_TEST, "Test (F9)"},
        {ID_SEND_MESSAGE, "Send Message"}, // only the tool-tip half of "prompt\ntip"
        {IDC_COMPUTER, ""},                // no string
        {-1, ""},                          // no id
    };
    QDialog dialog;
    for (const auto& c : cases)
        AddControl(&dialog, c.nId)->setObjectName(QString::number(c.nId));
    RegisterToolTips(&dialog);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nId);
        EXPECT_EQ(dialog.findChild<QWidget*>(QString::number(c.nId))->toolTip(),
                  QString::fromUtf8(c.tip));
    }
}

} // namespace
