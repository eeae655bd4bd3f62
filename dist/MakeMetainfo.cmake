# Writes the metainfo file OUT from the template IN, with the version VERSION, the homepage
# HOMEPAGE, the screenshot's address URL and, when the build made the picture SHOT, its size
# (read from the PNG header).
set(PICTORRA_VERSION ${VERSION})
set(PICTORRA_HOMEPAGE ${HOMEPAGE})
set(PICTORRA_SCREENSHOT_URL ${URL})
set(PICTORRA_SCREENSHOT_SIZE "")
if(EXISTS ${SHOT})
  file(READ ${SHOT} ihdr OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING ${ihdr} 0 8 w)
  string(SUBSTRING ${ihdr} 8 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  set(PICTORRA_SCREENSHOT_SIZE " width=\"${w}\" height=\"${h}\"")
endif()
configure_file(${IN} ${OUT} @ONLY)
