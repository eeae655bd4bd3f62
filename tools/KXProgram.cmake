# kx_program(NAME SOURCES... [ALLOW_UNDEFINED]): builds a Trova Basic program written in C++.
#
# The sources are compiled as freestanding i386 code against tools/sdk/trova.h, linked into a
# program image by `kximage link` (NAME.kxi in the current binary directory) and attached to a
# copy of the runtime by `kximage attach`, giving bin/NAME. ALLOW_UNDEFINED leaves names that
# neither the program nor the registry defines in the image (the runtime then refuses to start).
#
# kx_program_objects(NAME SOURCES...): only the compile step, as the OBJECT library NAME.

# Cached so that the functions see them from any directory.
set(KX_SDK_DIR ${CMAKE_CURRENT_LIST_DIR}/sdk CACHE INTERNAL "")
set(KX_SDK_GENERATED_DIR ${CMAKE_BINARY_DIR}/sdk CACHE INTERNAL "")
set(KX_PROGRAM_FLAGS -m32 -fno-pic -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
  -fno-threadsafe-statics -fno-stack-protector -ffunction-sections -fdata-sections -O2 CACHE INTERNAL "")

# The command declarations, generated from the registry.
add_custom_command(OUTPUT ${KX_SDK_GENERATED_DIR}/trova_commands.h
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KX_SDK_GENERATED_DIR}
  COMMAND $<TARGET_FILE:kximage> header -o ${KX_SDK_GENERATED_DIR}/trova_commands.h
  DEPENDS kximage
  COMMENT "Generating trova_commands.h from the command registry"
  VERBATIM)
add_custom_target(kx_sdk_header ALL DEPENDS ${KX_SDK_GENERATED_DIR}/trova_commands.h)

function(kx_program_objects name)
  add_library(${name} OBJECT ${ARGN})
  target_compile_options(${name} PRIVATE ${KX_PROGRAM_FLAGS})
  # Program code has no run-time library to report to.
  if(TROVA_SANITIZE)
    target_compile_options(${name} PRIVATE -fno-sanitize=all)
  endif()
  target_include_directories(${name} PRIVATE ${KX_SDK_DIR} ${KX_SDK_GENERATED_DIR})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  add_dependencies(${name} kx_sdk_header)
endfunction()

function(kx_program name)
  cmake_parse_arguments(P "ALLOW_UNDEFINED" "" "" ${ARGN})
  kx_program_objects(${name}_objects ${P_UNPARSED_ARGUMENTS} ${KX_SDK_DIR}/trova_support.cpp)
  set(image ${CMAKE_CURRENT_BINARY_DIR}/${name}.kxi)
  set(exe ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
  set(extra)
  if(P_ALLOW_UNDEFINED)
    set(extra --allow-undefined)
  endif()
  add_custom_command(OUTPUT ${image}
    COMMAND $<TARGET_FILE:kximage> link $<TARGET_OBJECTS:${name}_objects> -o ${image} ${extra}
    DEPENDS ${name}_objects $<TARGET_OBJECTS:${name}_objects> kximage
    COMMENT "Linking program image ${name}.kxi"
    COMMAND_EXPAND_LISTS VERBATIM)
  add_custom_command(OUTPUT ${exe}
    COMMAND $<TARGET_FILE:kximage> attach ${image} -o ${exe} --runtime $<TARGET_FILE:trova>
    DEPENDS ${image} trova kximage
    COMMENT "Attaching ${name}.kxi to the runtime"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${exe})
endfunction()
