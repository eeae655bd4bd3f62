// KXObject: the reference-counted base of every runtime object, and the live-object set.
//
// Invariants: a new object has count 1; an object is in the live set from construction to
// destruction; an object is destroyed only when its count is 0.
#pragma once

#include "base/KXCallConv.h"

#include <cstddef>

class KXObject {
public:
    KXObject();
    KXObject(const KXObject&) = delete;
    KXObject& operator=(const KXObject&) = delete;

    // Slot order is part of the runtime's binary interface: destructor, free, query.
    virtual ~KXObject();
    // Called when the count drops to 0; the base deletes the object.
    virtual void free();
    // Answers QueryObject; the base answers 0.
    virtual int query(int id);

    void retain() { ++m_refs; }
    void release()
    {
        if (--m_refs == 0)
            free();
    }
    int refs() const { return m_refs; }

    // A short type name for diagnostics ("String", "Bank").
    virtual const char* typeName() const { return "Object"; }

    // True when p designates a live object (p may be any value, including garbage).
    static bool isLive(const void* p);
    // Number of live objects.
    static size_t liveCount();
    // Calls fn for every live object, in no particular order.
    template<class Fn> static void forEachLive(Fn fn);

private:
    static void forEachLiveImpl(void (*fn)(KXObject*, void*), void* ctx);
    int m_refs { 1 };
};

// Releases p if it is not null.
inline void kxRelease(KXObject* p)
{
    if (p)
        p->release();
}

template<class Fn> void KXObject::forEachLive(Fn fn)
{
    forEachLiveImpl([](KXObject* o, void* ctx) { (*static_cast<Fn*>(ctx))(o); }, &fn);
}

// Owns one reference to a KXObject. Adopts the reference it is constructed with.
template<class T> class KXRef {
public:
    KXRef() = default;
    explicit KXRef(T* adopt)
        : m_p(adopt)
    {
    }
    KXRef(const KXRef& o)
        : m_p(o.m_p)
    {
        if (m_p)
            m_p->retain();
    }
    KXRef(KXRef&& o) noexcept
        : m_p(o.m_p)
    {
        o.m_p = nullptr;
    }
    KXRef& operator=(KXRef o) noexcept
    {
        T* t = m_p;
        m_p = o.m_p;
        o.m_p = t;
        return *this;
    }
    ~KXRef() { kxRelease(m_p); }

    // Adds a reference to p and holds it.
    static KXRef retained(T* p)
    {
        if (p)
            p->retain();
        return KXRef(p);
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Gives up ownership without releasing.
    T* leak()
    {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }

private:
    T* m_p { nullptr };
};
