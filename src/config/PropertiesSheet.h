#pragma once

#include "alerts/AlertPage.h"
#include "config/GeneralPage.h"
#include "platform/mfc/PropertySheet.h"

// The program's one options dialog, "Tellwick Properties": the General page, then the Alerts
// page. Whoever runs it primes the pages' members first and reads them back after OK.
class CPropertiesSheet : public CPropertySheet
{
    Q_OBJECT

public:
    explicit CPropertiesSheet(QWidget* pParent = nullptr);

    CGeneralPage m_generalPage;
    CAlertPage m_alertPage;
};
