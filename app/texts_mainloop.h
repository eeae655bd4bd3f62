// Texts of mainloop.cpp (PT_TEXT lines; no include guard).
PT_TEXT(txThumbFile, "data/PT001.vxg")
