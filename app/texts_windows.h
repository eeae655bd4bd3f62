// Texts of windows.cpp (PT_TEXT lines; no include guard).
