// Texts of transform.cpp (PT_TEXT lines; no include guard).
PT_TEXT(txSaveDataError, "Pictorra - Save Data Error")
PT_TEXT(txPreviewTitle, "Screenshot Preview: ")
