# Install rules shared by every program of the kit.
include(GNUInstallDirs)

# The programs find their documents at <executable folder>/../share/plumet
# (DataFiles), so bin and share must stay side by side below the prefix.
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  message(FATAL_ERROR "The programs look for their data in bin/../share/plumet: "
                      "keep CMAKE_INSTALL_BINDIR=bin and CMAKE_INSTALL_DATADIR=share.")
endif()
set(PLUMET_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/plumet)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

find_program(PLUMET_GZIP gzip REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/compressed)

# Installs `source` as `destination` (a path below the prefix) compressed the
# way Debian wants documentation: gzip -9 without a name or time stamp.
function(plumet_install_gzipped source destination)
  get_filename_component(name ${destination} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/compressed/${name})
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${PLUMET_GZIP} -9 -n -c ${source} > ${compressed}
    DEPENDS ${source})
  string(MAKE_C_IDENTIFIER "gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${compressed})
  get_filename_component(folder ${destination} DIRECTORY)
  install(FILES ${compressed} DESTINATION ${folder})
endfunction()

# plumet_install_program(<target>): installs the program and its manual page
# docs/man/<target>.1, which every program must have.
function(plumet_install_program target)
  set(page ${PROJECT_SOURCE_DIR}/docs/man/${target}.1)
  if(NOT EXISTS ${page})
    message(FATAL_ERROR "${target} has no manual page: write ${page}")
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  plumet_install_gzipped(${page} ${CMAKE_INSTALL_MANDIR}/man1/${target}.1.gz)
endfunction()

# Desktop entries and software-centre metadata are named by the maker's
# reverse domain name, so that the AppStream id and the menu entry agree.
set(PLUMET_APP_ID_PREFIX example.brindlewick)

# plumet_desktop_entry(<program>): the menu entry resources/<program>/<id>.desktop,
# its AppStream metadata <id>.metainfo.xml (id = example.brindlewick.<program>)
# and its icon in the hicolor theme, from the same folder: <program>-icon-16.png,
# <program>-icon.png (32 pixels, also the window icon), <program>-icon-N.png for
# the larger sizes (the SVG drawn at N pixels: rsvg-convert -w N -h N) and
# <program>-icon.svg.
function(plumet_desktop_entry program)
  set(resources ${PROJECT_SOURCE_DIR}/resources/${program})
  set(id ${PLUMET_APP_ID_PREFIX}.${program})
  install(FILES ${resources}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${resources}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(theme ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  foreach(size 16 32 48 64 128 256)
    set(png ${resources}/${program}-icon-${size}.png)
    if(size EQUAL 32)
      set(png ${resources}/${program}-icon.png)
    endif()
    install(FILES ${png} DESTINATION ${theme}/${size}x${size}/apps RENAME ${program}.png)
  endforeach()
  install(FILES ${resources}/${program}-icon.svg DESTINATION ${theme}/scalable/apps RENAME ${program}.svg)
endfunction()
