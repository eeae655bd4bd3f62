// KXEventSource: a runtime resource that events can name as their source.
#pragma once

#include "base/KXResource.h"
#include "gui/KXEvent.h"

class KXEventSource : public KXResource {
public:
    KXEventSource() = default;

    // The release hook: the object's waiting events leave the queues before it goes, so no
    // event names a dead source.
    void free() override;

    // Posts an event with this object as its source through the filter chain.
    void emit(KXEventId id, int data = 0, int x = 0, int y = 0, int z = 0);
    int handle() const;
    const char* typeName() const override { return "EventSource"; }
};
