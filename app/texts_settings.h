// Texts of settings.cpp (PT_TEXT lines; no include guard).
PT_TEXT(txConfigFile, "data\\PTConfig.dat")
PT_TEXT(txConfigTemp, "data\\PTConfig.tmp")
PT_TEXT(txConfigError, "Pictorra - Config Error")
PT_TEXT(txPercent, "%")
