// Texts of capture.cpp (PT_TEXT lines; no include guard).
