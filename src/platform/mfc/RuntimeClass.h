#pragma once

#include <QByteArrayView>
#include <QtGlobal>

class CObject;

// A stored schema other than the class's own is still read (with the class's one layout).
inline constexpr quint32 VERSIONABLE_SCHEMA = 0x80000000u;

// The record an archive writes for a class and looks up again by name when it loads: the name,
// the schema word, how to create an empty object, and the base to check a loaded class against.
struct CRuntimeClass
{
    const char* m_lpszClassName;
    quint32 m_nSchema; // may carry VERSIONABLE_SCHEMA
    CObject* (*m_pfnCreateObject)(); // null for a class that is never created by name
    const CRuntimeClass* m_pBaseClass;

    // A new, empty object of the class (the caller owns it), or null for an abstract class.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name, or null.
    static const CRuntimeClass* FromName(QByteArrayView name);
};

// Enters a class into the registry that loading creates objects from; IMPLEMENT_SERIAL places
// one beside every serializable class.
struct CClassRegistration
{
    explicit CClassRegistration(const CRuntimeClass* pClass);
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body: the class record, its accessor and the factory the archive creates with.
#define DECLARE_SERIAL(class_name)                                                               \
public:                                                                                          \
    static const CRuntimeClass class##class_name;                                                \
    static const CRuntimeClass* GetThisClass() { return &class##class_name; }                    \
    const CRuntimeClass* GetRuntimeClass() const override;                                       \
    static CObject* CreateObject()

// In the class's source file, once: defines the record under the class's own name and schema
// and registers it for loading by name.
#define IMPLEMENT_SERIAL(class_name, base_class_name, nSchema)                                   \
    CObject* class_name::CreateObject()                                                          \
    {                                                                                            \
        return new class_name; /* NOLINT(bugprone-macro-parentheses): a type */                  \
    }                                                                                            \
    const CRuntimeClass class_name::class##class_name = {                                        \
        #class_name, nSchema, &class_name::CreateObject, RUNTIME_CLASS(base_class_name)};         \
    const CRuntimeClass* class_name::GetRuntimeClass() const                                     \
    {                                                                                            \
        return RUNTIME_CLASS(class_name);                                                        \
    }                                                                                            \
    static const CClassRegistration s_registration##class_name(RUNTIME_CLASS(class_name))
