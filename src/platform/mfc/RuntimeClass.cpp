#include "platform/mfc/RuntimeClass.h"

#include <vector>

namespace {

// Filled while static objects are constructed; a function-local static so that the order in
// which the classes' files are initialised does not matter.
std::vector<const CRuntimeClass*>& Registry()
{
    static std::vector<const CRuntimeClass*> s_classes;
    return s_classes;
}

} // namespace

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(QByteArrayView name)
{
    for (const CRuntimeClass* pClass : Registry()) {
        if (name == pClass->m_lpszClassName)
            return pClass;
    }
    return nullptr;
}

CClassRegistration::CClassRegistration(const CRuntimeClass* pClass)
{
    Q_ASSERT(!CRuntimeClass::FromName(pClass->m_lpszClassName));
    Registry().push_back(pClass);
}
