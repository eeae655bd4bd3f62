// Texts of export.cpp (PT_TEXT lines; no include guard).
