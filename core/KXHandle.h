// The runtime-object handle check: a handle must be a live object of the command's class.
#pragma once

#include "base/KXObject.h"
#include "base/KXError.h"

#include <cstdint>

// Answers the object a handle designates as T, or raises "Invalid %s handle" with the class's
// display name ("Stream", "Gadget", "Group Gadget") when the value is not a live object of
// class T or a class derived from it. Commands that accept 0 test for 0 before calling this.
template<class T> T* kxHandle(const void* handle, const char* displayName)
{
    if (KXObject::isLive(handle)) {
        auto* object = static_cast<KXObject*>(const_cast<void*>(handle));
        if (T* t = dynamic_cast<T*>(object))
            return t;
    }
    kxRuntimeError("Invalid %s handle", displayName);
}

template<class T> T* kxHandle(int handle, const char* displayName)
{
    return kxHandle<T>(reinterpret_cast<const void*>(intptr_t(handle)), displayName);
}

// The handle a program receives for a runtime object.
inline int kxToHandle(const KXObject* object) { return int(reinterpret_cast<intptr_t>(object)); }
