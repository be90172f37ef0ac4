# Installation (make install) and the Debian package (make package).
include(GNUInstallDirs)

# Named in the package, the metainfo, the copyright file and the manual page alike.
set(TELLARIA_HOMEPAGE https://www.tellaria.example/)
set(TELLARIA_MAINTAINER "The Tellaria developers <developers@tellaria.example>")

# The AppStream id. The desktop entry keeps the program's name, tellaria.desktop, because that is
# the window's class and Wayland app id, which desktops match to their entry.
set(TELLARIA_APP_ID io.github.tellaria.tellaria)
# The day the version in project() was set; change the two together.
set(TELLARIA_RELEASE_DATE 2026-12-07)

set(TELLARIA_METAINFO ${PROJECT_BINARY_DIR}/data/${TELLARIA_APP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/data/${TELLARIA_APP_ID}.metainfo.xml.in
               ${TELLARIA_METAINFO} @ONLY)

# qt_standard_project_setup() asks for $ORIGIN/../lib, which has nothing of ours (everything else
# is the system's), and which CMake cannot write into a binary built without an RPATH.
set_target_properties(tellaria PROPERTIES INSTALL_RPATH "")
install(TARGETS tellaria RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/tellaria.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TELLARIA_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tellaria.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Every committed size: resources/icons/hicolor/<N>x<N>/apps/tellaria.png.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN tellaria.png)

# The manual page and the changelog are kept as written and installed compressed, as Debian
# wants them: gzip -9, without a name or time stamp, so that every build is the same.
set(TELLARIA_COMPRESSED ${PROJECT_BINARY_DIR}/packaging)
add_custom_command(
    OUTPUT ${TELLARIA_COMPRESSED}/tellaria.1.gz ${TELLARIA_COMPRESSED}/zh_CN/tellaria.1.gz
           ${TELLARIA_COMPRESSED}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TELLARIA_COMPRESSED}/zh_CN
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/docs/tellaria.1
            ${TELLARIA_COMPRESSED}/tellaria.1.gz
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/docs/zh_CN/tellaria.1
            ${TELLARIA_COMPRESSED}/zh_CN/tellaria.1.gz
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/packaging/changelog
            ${TELLARIA_COMPRESSED}/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/tellaria.1 ${PROJECT_SOURCE_DIR}/docs/zh_CN/tellaria.1
            ${PROJECT_SOURCE_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(compressed_docs ALL
    DEPENDS ${TELLARIA_COMPRESSED}/tellaria.1.gz ${TELLARIA_COMPRESSED}/zh_CN/tellaria.1.gz
            ${TELLARIA_COMPRESSED}/changelog.gz)
install(FILES ${TELLARIA_COMPRESSED}/tellaria.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# man tellaria reads this one where the locale is Chinese.
install(FILES ${TELLARIA_COMPRESSED}/zh_CN/tellaria.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${TELLARIA_COMPRESSED}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tellaria)

# Validates the data files as installed, where the desktop entry and the AppStream launchable
# must agree; only where the distribution's validators are present.
if(TELLARIA_BUILD_TESTS)
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    find_program(APPSTREAMCLI appstreamcli)
    if(DESKTOP_FILE_VALIDATE AND APPSTREAMCLI)
        add_test(NAME install_data_valid
                 COMMAND ${CMAKE_COMMAND}
                     -DBUILD_DIR=${PROJECT_BINARY_DIR}
                     -DROOT=${PROJECT_BINARY_DIR}/install-check
                     -DAPP_ID=${TELLARIA_APP_ID}
                     -DDESKTOP_FILE_VALIDATE=${DESKTOP_FILE_VALIDATE}
                     -DAPPSTREAMCLI=${APPSTREAMCLI}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckInstall.cmake)
    else()
        message(STATUS "desktop-file-validate or appstreamcli missing: install_data_valid skipped")
    endif()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tellaria)
set(CPACK_PACKAGE_VENDOR "The Tellaria developers")
set(CPACK_PACKAGE_CONTACT "${TELLARIA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TELLARIA_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "look a term up in several online reference works at once")
# Lines of at most 80 characters, as the control file's extended description wants them.
set(CPACK_PACKAGE_DESCRIPTION
    "Tellaria sends one term to several online dictionaries and encyclopaedias
and shows each answer in its own tab, in a live web browser: five
encyclopaedias, an idiom dictionary, an English-Chinese dictionary and Bing's
bilingual dictionary. A term can also be given on the command line. Its
interface is in Simplified Chinese.")
# The program takes /usr/bin for an installed copy (desktop/DataDirectory.cc).
set(CPACK_PACKAGING_INSTALL_PREFIX ${TELLARIA_PACKAGE_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries come from dpkg-shlibdeps, which CPack adds to this. QtWebEngineProcess, which the
# engine starts and nothing links to, comes with libqt6webenginecore6-bin, and Debian's symbols
# file for libQt6WebEngineCore already names it. What no library names is Qt's own zh_CN
# translations (qtbase_zh_CN.qm, qtwebengine_zh_CN.qm), which the program loads at start
# (desktop/Translations.cc): without them the toolkit's buttons and dialogs are English.
# Nor does one name the SQLite driver, a plugin Qt loads for the record and notebook database.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libqt6sql6-sqlite")
# The interface is Chinese; without a CJK font its text shows as boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei, xdg-utils")
include(CPack)

# Builds the package and checks it with lintian; a few seconds, so part of make test.
if(TELLARIA_BUILD_TESTS)
    find_program(LINTIAN lintian)
    find_program(DPKG_DEB dpkg-deb)
    if(LINTIAN AND DPKG_DEB)
        add_test(NAME package_valid
                 COMMAND ${CMAKE_COMMAND}
                     -DBUILD_DIR=${PROJECT_BINARY_DIR}
                     -DROOT=${PROJECT_BINARY_DIR}/package-check
                     -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                     -DVERSION=${PROJECT_VERSION}
                     -DCPACK=${CMAKE_CPACK_COMMAND}
                     -DLINTIAN=${LINTIAN}
                     -DDPKG_DEB=${DPKG_DEB}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckPackage.cmake)
    else()
        message(STATUS "lintian or dpkg-deb missing: package_valid skipped")
    endif()
endif()
