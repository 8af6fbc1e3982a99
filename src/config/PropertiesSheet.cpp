#include "config/PropertiesSheet.h"

#include "resources/StringTable.h"
#include "resources/resource.h"

CPropertiesSheet::CPropertiesSheet(QWidget* pParent)
    : CPropertySheet(LoadResString(IDS_PROPERTIES_CAPTION), pParent)
{
    AddPage(&m_generalPage);
    AddPage(&m_alertPage);
}
