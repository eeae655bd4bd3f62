// KXIconStrip: a row of equally sized item icons that list-type gadgets may show.
#pragma once

#include "base/KXResource.h"

class KXIconStrip : public KXResource {
public:
    KXIconStrip(int iconSize, int count)
        : m_iconSize(iconSize)
        , m_count(count)
    {
    }
    int iconSize() const { return m_iconSize; }
    int count() const { return m_count; }
    const char* typeName() const override { return "IconStrip"; }

private:
    int m_iconSize;
    int m_count;
};
