// KXResource: a runtime object that owns child resources and releases them with itself.
//
// Invariants: each child is held with one reference and knows its owner; a child is in exactly
// one owner's list at a time.
#pragma once

#include "core/KXObject.h"

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
    const std::vector<KXResource*>& children() const { return m_children; }
    const char* typeName() const override { return "Resource"; }

private:
    KXResource* m_owner { nullptr };
    std::vector<KXResource*> m_children;
};
