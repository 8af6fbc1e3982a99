#pragma once

#include "platform/mfc/RuntimeClass.h"

class CArchive;

// Base of every class an archive stores by reference: it names its class record and reads or
// writes its own data.
class CObject
{
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    // Writes the object's data when the archive stores, reads it back when it loads.
    virtual void Serialize(CArchive& ar);

    bool IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
