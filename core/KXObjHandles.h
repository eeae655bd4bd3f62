// KXObjHandles: the integer handles of program objects, kept in two ordered tables.
//
// Invariants: both tables hold the same pairs; only objects that are not deleted are entered;
// handles come from a counter that only rises, so a handle is never given out twice.
#pragma once

struct KXObjHeader;
struct KXObjType;

class KXObjHandles {
public:
    // The object's handle, entering it on first use; 0 for null or deleted objects.
    static int handleOf(KXObjHeader* o);
    // The registered object with that handle if it is exactly of the given type, else null.
    static KXObjHeader* objectOf(int handle, const KXObjType* type);
    // Forgets the object's handle, if it has one.
    static void drop(KXObjHeader* o);
    // Number of registered handles.
    static int count();
};
