// The spec strings of every registry entry, in registration order.
#pragma once

extern const char* const kxCoreHelperSpecs[60];
extern const char* const kxSystemCommandSpecs[194];
extern const char* const kxGuiCommandSpecs[118];
extern const char* const kxGraphicsCommandSpecs[133];
