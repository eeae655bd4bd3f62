# Fills the runnable folder FOLDER from the build's BIN folder: the pictorra executable, the
# Win32 subset libraries beside it, the user libraries under data/, and the help pages from HELP.
# A library this build does not have yet is reported, not fatal: the program then ends at its
# first call into it with "User lib not found".
file(MAKE_DIRECTORY ${FOLDER}/data ${FOLDER}/help)
file(COPY ${BIN}/pictorra DESTINATION ${FOLDER} FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
foreach(lib kernel32.dll user32.dll shell32.dll advapi32.dll trova-clipkeeper)
  if(EXISTS ${BIN}/${lib})
    file(COPY ${BIN}/${lib} DESTINATION ${FOLDER})
  else()
    message(STATUS "pictorra folder: ${lib} is not built yet")
  endif()
endforeach()
foreach(lib Clipboard.dll Dexolan.dll FreeImage.dll Remote.dll)
  if(EXISTS ${BIN}/data/${lib})
    file(COPY ${BIN}/data/${lib} DESTINATION ${FOLDER}/data)
  else()
    message(STATUS "pictorra folder: data/${lib} is not built yet")
  endif()
endforeach()
file(COPY ${HELP}/ DESTINATION ${FOLDER}/help)
