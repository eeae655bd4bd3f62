// Texts of transform.cpp (PT_TEXT lines; no include guard).
