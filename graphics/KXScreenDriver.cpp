// The screen driver's neutral part: the current driver.
#include "graphics/KXScreenDriver.h"
