# The icon, made at build time by scripts/make_icons into build/<preset>/icons: the SVG and
# PNGs for the desktop, the .ico for Windows resources, and (on Linux) a C++ source that
# gives the programs their window icon. zuvaro_add_resources(TARGET NAME DESCRIPTION) gives
# a program its icon, and on Windows its version information.
set(ZUVARO_ICON_DIR ${PROJECT_BINARY_DIR}/icons)
set(ZUVARO_ICON_SIZES 16 24 32 48 64 128 256)
set(icon_outputs ${ZUVARO_ICON_DIR}/zuvaro.svg ${ZUVARO_ICON_DIR}/zuvaro.ico
                 ${ZUVARO_ICON_DIR}/zuvaro-64.rgba)
foreach(size ${ZUVARO_ICON_SIZES})
  list(APPEND icon_outputs ${ZUVARO_ICON_DIR}/zuvaro-${size}.png)
endforeach()
add_custom_command(OUTPUT ${icon_outputs}
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/make_icons ${ZUVARO_ICON_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make_icons
  COMMENT "Drawing the icon")
set(ZUVARO_COPYRIGHT "Copyright (c) 2026 The Zuvaro developers. MIT licence.")

if(NOT WIN32)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/generated/program_icon.cpp
    COMMAND ${CMAKE_COMMAND} -DINPUT=${ZUVARO_ICON_DIR}/zuvaro-64.rgba
            -DOUTPUT=${PROJECT_BINARY_DIR}/generated/program_icon.cpp -DSIZE=64 -DID=1
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_rgba.cmake
    DEPENDS ${ZUVARO_ICON_DIR}/zuvaro-64.rgba ${PROJECT_SOURCE_DIR}/cmake/embed_rgba.cmake)
  list(APPEND icon_outputs ${PROJECT_BINARY_DIR}/generated/program_icon.cpp)
endif()
add_custom_target(zuvaro_icons DEPENDS ${icon_outputs})

function(zuvaro_add_resources target program description)
  if(WIN32)
    set(RC_PROGRAM ${program})
    set(RC_DESCRIPTION ${description})
    configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in
                   ${PROJECT_BINARY_DIR}/generated/${program}.rc @ONLY)
    target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated/${program}.rc)
    set_source_files_properties(${PROJECT_BINARY_DIR}/generated/${program}.rc PROPERTIES
      OBJECT_DEPENDS ${ZUVARO_ICON_DIR}/zuvaro.ico)
  else()
    target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated/program_icon.cpp)
    set_source_files_properties(${PROJECT_BINARY_DIR}/generated/program_icon.cpp PROPERTIES
      GENERATED TRUE)
  endif()
  add_dependencies(${target} zuvaro_icons)
endfunction()
