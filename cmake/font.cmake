# The viewer's font: tools/font_baker, built for the build machine (so the Windows builds too),
# rasterises DejaVu Sans from Debian's fonts-dejavu-core into a C++ source of tables at build
# time: ${ZUVARO_FONT_SOURCE}, which the render library compiles after target zuvaro_font.
find_file(ZUVARO_FONT_FILE DejaVuSans.ttf PATHS /usr/share/fonts/truetype/dejavu
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(ZUVARO_HOST_CXX NAMES c++ g++ clang++ NO_CMAKE_FIND_ROOT_PATH REQUIRED)
execute_process(COMMAND pkg-config --cflags --libs freetype2
                OUTPUT_VARIABLE freetype_flags OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE freetype_missing)
if(freetype_missing)
  message(FATAL_ERROR "FreeType is needed to draw the font (Debian: libfreetype-dev)")
endif()
separate_arguments(freetype_flags)
set(font_baker ${PROJECT_BINARY_DIR}/host/font_baker)
set(ZUVARO_FONT_SOURCE ${PROJECT_BINARY_DIR}/generated/font_glyphs.cpp)
set(ZUVARO_FONT_PIXELS 13)
add_custom_command(OUTPUT ${font_baker}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/host
  COMMAND ${ZUVARO_HOST_CXX} -std=c++17 -O2 ${PROJECT_SOURCE_DIR}/tools/font_baker/font_baker.cpp
          -o ${font_baker} ${freetype_flags}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/font_baker/font_baker.cpp
  COMMENT "Building the font baker for this machine")
add_custom_command(OUTPUT ${ZUVARO_FONT_SOURCE}
  COMMAND ${font_baker} ${ZUVARO_FONT_FILE} ${ZUVARO_FONT_PIXELS} ${ZUVARO_FONT_SOURCE}
  DEPENDS ${font_baker} ${ZUVARO_FONT_FILE}
  COMMENT "Drawing the font")
add_custom_target(zuvaro_font DEPENDS ${ZUVARO_FONT_SOURCE})
