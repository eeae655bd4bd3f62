// KXResource: a runtime object that owns child resources and releases them with itself.
//
// Invariants: each child is held with one reference and knows its owner; a child is in exactly
// one owner's list at a time. Whatever way a resource goes, its children are released with it.
#pragma once

#include "base/KXObject.h"

#include <vector>

class KXResource : public KXObject {
public:
    KXResource() = default;
    ~KXResource() override;

    // Releases every child, then deletes the object.
    void free() override;

    // Takes ownership of the caller's reference to child (removing it from a previous owner's
    // list first, without releasing it).
    void adopt(KXResource* child);
    // Removes child from this list and returns the reference it held to the caller.
    void orphan(KXResource* child);
    // The owner this resource is listed in, or null.
    KXResource* owner() const { return m_owner; }
    // Releases every child (last adopted first) and empties the list.
    void releaseChildren();
    // Gives up the reference a program holds on a resource it created: the resource leaves its
    // owner's list (whose reference is the program's) and that reference is released. Someone
    // else's reference, if any, keeps it alive, and no owner releases it a second time later.
    void releaseFromOwner();
    const std::vector<KXResource*>& children() const { return m_children; }
    const char* typeName() const override { return "Resource"; }

private:
    KXResource* m_owner { nullptr };
    std::vector<KXResource*> m_children;
};
