// Texts of pak.cpp (PT_TEXT lines; no include guard).
PT_TEXT(txDefaultPack, "data.pak")
PT_TEXT(txExe, ".exe")
PT_TEXT(txScr, ".scr")
PT_TEXT(txDotDot, "..")
PT_TEXT(txBackslash, "\\")
PT_TEXT(txSlash, "/")
PT_TEXT(txColon, ":")
