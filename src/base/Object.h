// The framework's root class, reduced to what the system uses: a virtual destructor and the name
// of an object's run-time class. Objects are never copied. Nothing in the launcher asks an object
// its class; the names are kept because the picture object has always declared one.
#pragma once

#include <cstring>

// Names a class and its base, so that an object can say what it is at run time.
struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass)
            if (cls == base || std::strcmp(cls->m_lpszClassName, base->m_lpszClassName) == 0)
                return true;
        return false;
    }
};

class CObject {
public:
    static constexpr CRuntimeClass classCObject{"CObject", nullptr};

    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
    bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
