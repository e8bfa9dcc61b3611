# What the packages install, and the packages themselves (cpack in the build folder).
# Linux: a .deb with both programs, their manual pages, the desktop entry, the MIME type of
# environment files and the icon in the hicolor theme; its dependencies are read off the
# binaries. Windows: a .zip with both programs, the README and the licence.
set(CPACK_PACKAGE_NAME zuvaro)
set(CPACK_PACKAGE_VENDOR "The Zuvaro developers")
set(CPACK_PACKAGE_CONTACT "The Zuvaro developers <developers@zuvaro.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the terrain of strategy maps")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS zuvaro w3egen RUNTIME DESTINATION .)
  install(FILES README.md LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    set(CPACK_SYSTEM_NAME win64)
  endif()
else()
  include(GNUInstallDirs)
  set(generated ${PROJECT_BINARY_DIR}/generated)
  # Manual pages and the changelog carry the project's version; both go in compressed, as
  # Debian expects (-n: no name or time stamp, so the package is reproducible).
  set(compressed)
  foreach(page zuvaro.1 w3egen.1 changelog)
    configure_file(packaging/${page}.in ${generated}/${page} @ONLY)
    add_custom_command(OUTPUT ${generated}/${page}.gz
      COMMAND gzip -9n -c ${generated}/${page} > ${generated}/${page}.gz
      DEPENDS ${generated}/${page})
    list(APPEND compressed ${generated}/${page}.gz)
  endforeach()
  add_custom_target(zuvaro_compressed_docs ALL DEPENDS ${compressed})

  install(TARGETS zuvaro w3egen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${generated}/zuvaro.1.gz ${generated}/w3egen.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES README.md packaging/copyright ${generated}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES packaging/zuvaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/zuvaro-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME zuvaro.xml)
  install(FILES packaging/zuvaro.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
  install(FILES ${ZUVARO_ICON_DIR}/zuvaro.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size ${ZUVARO_ICON_SIZES})
    install(FILES ${ZUVARO_ICON_DIR}/zuvaro-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME zuvaro.png)
  endforeach()

  set(CPACK_GENERATOR DEB)
  set(CPACK_SYSTEM_NAME linux)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The desktop's file chooser, for a start without a map and Ctrl+O.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS zenity)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zuvaro.org)
  # The extended description; the synopsis before it is the summary above.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Zuvaro loads the environment file of a real-time strategy map (war3map.w3e),
prints a report of its header and shows the terrain as a lit surface, over
which a camera flies at a fixed height above the ground.
.
Views colour the terrain by what the map holds: ground tile types, height,
cliff layers with ramps, tinted ground and boundaries, and the water surface.
Words in the window say where the camera is, what the colours mean and what
the point under the cursor holds. A mouse camera, an overview and levels of
detail show the largest maps whole. A map dropped on the window opens, and the
shown map reloads when its file changes on disk.
.
Without a window, zuvaro writes a picture of the whole map in any view, a
16-bit heightmap and a summary of what the map holds; file managers show
each map's picture as its thumbnail.
.
The package also holds w3egen, which writes environment files: demo
terrain, exact test shapes and deliberately broken files.")
endif()
set(CPACK_PACKAGE_FILE_NAME "zuvaro-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
include(CPack)
