// QtIconStrip: the Qt form of an icon strip's cells, for the item icons of Qt's list controls.
#pragma once

#include <QIcon>

class KXIconStrip;

class QtIconStrip {
public:
    // Icon index of strip; a null icon for no strip, a strip without pictures or an index
    // outside it (index -1 is "no icon").
    static QIcon icon(const KXIconStrip* strip, int index);
};
