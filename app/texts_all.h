// Every feature area's text list (no include guard: read once per PT_TEXT meaning).
#include "texts_capture.h"
#include "texts_export.h"
#include "texts_mainloop.h"
#include "texts_pak.h"
#include "texts_settings.h"
#include "texts_startup.h"
#include "texts_transform.h"
#include "texts_windows.h"
