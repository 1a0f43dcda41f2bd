# cmake -DBUILD=<build dir> -DPREFIX=<empty folder> -DVALIDATE=<desktop-file-validate> -P InstallTree.cmake
# Installs the build into PREFIX and checks the tree a desktop expects, and the menu entry.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
  OUTPUT_QUIET RESULT_VARIABLE installed)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()

foreach(path
    bin/pemrix
    share/doc/pemrix/pemrix.html
    share/applications/pemrix.desktop
    share/icons/hicolor/128x128/apps/pemrix.png
    share/icons/hicolor/256x256/apps/pemrix.png
    share/icons/hicolor/16x16/apps/pemrix.png
    share/icons/hicolor/32x32/apps/pemrix.png
    share/icons/hicolor/48x48/apps/pemrix.png
    share/icons/hicolor/64x64/apps/pemrix.png
    share/icons/hicolor/scalable/apps/pemrix.svg
    share/man/man1/pemrix.1
    share/man/man1/pemrix-cli.1
    lib/udev/rules.d/60-pemrix.rules)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "missing from the installed tree: ${path}")
  endif()
endforeach()

if(NOT VALIDATE)
  message(FATAL_ERROR "desktop-file-validate not found: install the package desktop-file-utils")
endif()
execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/pemrix.desktop
  RESULT_VARIABLE valid OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT valid EQUAL 0 OR NOT report STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${report}")
endif()
