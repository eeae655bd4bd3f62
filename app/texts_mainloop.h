// Texts of mainloop.cpp (PT_TEXT lines; no include guard).
PT_TEXT(txThumbFile, "data/PT001.vxg")
PT_TEXT(txDirectXHint, "DirectX (Games) must be running in fullscreen mode")
PT_TEXT(txActivateHint, "Activate the Pictorra window for Full Desktop capture")
