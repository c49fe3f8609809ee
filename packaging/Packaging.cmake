# Installation and the Debian package (CPack's DEB generator): the programs, the
# menu entry, icons, AppStream metadata and manual pages. Included last, so that
# every program target already exists; programs built on other branches join by
# their target name.

include(GNUInstallDirs)

set(MH_PACKAGE_NAME "modbus-hart")
set(MH_MAINTAINER "Quorvane Instruments <support@quorvane.example>" CACHE STRING "Package maintainer")
set(MH_HOMEPAGE "https://www.quorvane.example/" CACHE STRING "Project home page")
option(MH_PACKAGE "Building the package: PNG icons are required (rsvg-convert)" OFF)

set(_pkg "${PROJECT_SOURCE_DIR}/packaging")
set(_out "${PROJECT_BINARY_DIR}/packaging")
set(_docdir "${CMAKE_INSTALL_DATADIR}/doc/${MH_PACKAGE_NAME}")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Programs: the window, the simulated converter and, where it is built, the command-line tool.
set(_programs modbus-hart hart-sim)
if(TARGET modbus-hart-config)
  list(APPEND _programs modbus-hart-config)
endif()
install(TARGETS ${_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# AppStream lists the programs the package really carries.
set(MH_PROVIDED_BINARIES "")
foreach(_p IN LISTS _programs)
  string(APPEND MH_PROVIDED_BINARIES "    <binary>${_p}</binary>\n")
endforeach()
configure_file("${_pkg}/${MH_APP_ID}.metainfo.xml.in" "${_out}/${MH_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${_pkg}/${MH_APP_ID}.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${_out}/${MH_APP_ID}.metainfo.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${_pkg}/${MH_APP_ID}.svg" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# PNG icons in the sizes of the hicolor theme, rendered from the one SVG.
find_program(MH_RSVG_CONVERT rsvg-convert)
if(MH_PACKAGE AND NOT MH_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert (Debian package librsvg2-bin) is needed for the package's icons")
endif()
set(_generated "")
if(MH_RSVG_CONVERT)
  foreach(_size 16 22 24 32 48 64 128 256)
    set(_png "${_out}/icons/${_size}/${MH_APP_ID}.png")
    add_custom_command(OUTPUT "${_png}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${_out}/icons/${_size}"
      COMMAND ${MH_RSVG_CONVERT} -w ${_size} -h ${_size} -o "${_png}" "${_pkg}/${MH_APP_ID}.svg"
      DEPENDS "${_pkg}/${MH_APP_ID}.svg" VERBATIM)
    list(APPEND _generated "${_png}")
    install(FILES "${_png}" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
  endforeach()
endif()

# Manual pages and the changelog, compressed as Debian expects (gzip -9n: no
# name or time stamp, so the package is reproducible).
set(_pages modbus-hart hart-sim)
if(TARGET modbus-hart-config)
  list(APPEND _pages modbus-hart-config)
endif()
foreach(_page IN LISTS _pages)
  set(_gz "${_out}/man/${_page}.1.gz")
  add_custom_command(OUTPUT "${_gz}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${_out}/man"
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" "${_pkg}/man/${_page}.1" "${_gz}"
    DEPENDS "${_pkg}/man/${_page}.1" VERBATIM)
  list(APPEND _generated "${_gz}")
  install(FILES "${_gz}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT "${_out}/changelog.gz"
  COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" "${_pkg}/changelog" "${_out}/changelog.gz"
  DEPENDS "${_pkg}/changelog" VERBATIM)
list(APPEND _generated "${_out}/changelog.gz")
install(FILES "${_out}/changelog.gz" "${_pkg}/copyright" DESTINATION ${_docdir})
# Everything the package carries, so that a package build compiles only that.
add_custom_target(package_contents ALL DEPENDS ${_generated})
add_dependencies(package_contents ${_programs})

# The package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "${MH_PACKAGE_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Quorvane Instruments Co., Ltd.")
set(CPACK_PACKAGE_CONTACT "${MH_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MH_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MH_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The list texts hold full-width brackets and colons ("（", "）", "："), which the
# default Debian fonts lack: this small CJK font (5 MB, not Noto CJK's 90 MB) has them.
# Qt's own translations give the dialogs' buttons in the user's language too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${MH_CJK_FONT_PACKAGE}, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for Modbus-to-HART field converters")
# Plain paragraphs; CPack indents them and marks the blank lines as Debian wants.
set(CPACK_PACKAGE_DESCRIPTION_FILE "${_pkg}/description")
include(CPack)
