# Installs the build under ROOT/usr and validates the installed data files as a distribution
# would. Run by ctest (install_data_valid) with BUILD_DIR, ROOT, APP_ID, DESKTOP_FILE_VALIDATE
# and APPSTREAMCLI set.
file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${ROOT}/usr
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(share ${ROOT}/usr/share)
foreach(path
        ${ROOT}/usr/bin/tellaria
        ${share}/applications/tellaria.desktop
        ${share}/metainfo/${APP_ID}.metainfo.xml
        ${share}/icons/hicolor/scalable/apps/tellaria.svg
        ${share}/icons/hicolor/48x48/apps/tellaria.png
        ${share}/man/man1/tellaria.1.gz
        ${share}/man/zh_CN/man1/tellaria.1.gz
        ${share}/doc/tellaria/copyright
        ${share}/doc/tellaria/changelog.gz)
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

# The entry's action for a desktop shortcut looks up the selection.
file(READ ${share}/applications/tellaria.desktop entry)
if(NOT entry MATCHES "\n\\[Desktop Action [A-Za-z0-9-]+\\]\n([^\n]*\n)*Exec=tellaria --selection\n")
    message(FATAL_ERROR "the desktop entry has no action running tellaria --selection")
endif()

# desktop-file-validate passes warnings with status 0; they count as failures here.
execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${share}/applications/tellaria.desktop
                OUTPUT_VARIABLE report ERROR_VARIABLE report RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR report MATCHES "error|warning")
    message(FATAL_ERROR "desktop-file-validate:\n${report}")
endif()

# The file alone, then the whole tree, which also checks the launchable against the installed
# desktop entry and the icon.
foreach(command "validate;${share}/metainfo/${APP_ID}.metainfo.xml" "validate-tree;${ROOT}")
    execute_process(COMMAND ${APPSTREAMCLI} ${command} --pedantic --no-net --explain
                    OUTPUT_VARIABLE report ERROR_VARIABLE report RESULT_VARIABLE result)
    # Pedantic and informational remarks count too: the data must be clean.
    if(NOT result EQUAL 0 OR report MATCHES "(^|\n)[EWIP]: ")
        message(FATAL_ERROR "appstreamcli ${command}:\n${report}")
    endif()
    message(STATUS "appstreamcli ${command}: ${report}")
endforeach()
