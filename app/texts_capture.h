// Texts of capture.cpp (PT_TEXT lines; no include guard).
PT_TEXT(txCreating, "Creating screenshot...")
PT_TEXT(txContentTooSmall, "Window content too small - Operation cancelled")
PT_TEXT(txCaptureFailed, "Screenshot capture failed - Please try again")
PT_TEXT(txImageSize, "Screenshot Image: ")
PT_TEXT(txTimes, "x")
PT_TEXT(txPixels, " pixels")
