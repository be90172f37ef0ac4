# Builds the Debian package from the build tree as make package does, and checks it as the
# distribution would: lintian finds no error and no warning, every file lies under /usr, the
# Maintainer field has an address, Depends has what the interface needs and agrees with the
# README, and the changelog and manual page carry the build's version.
# Run by ctest (package_valid) with BUILD_DIR, ROOT, SOURCE_DIR, VERSION, CPACK, LINTIAN and
# DPKG_DEB set.
file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${ROOT}
                OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
file(GLOB packages ${ROOT}/tellaria_*.deb)
list(LENGTH packages count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()

# Depends has what the interface needs beyond the libraries, and every package the README says
# the package depends on or recommends is in that field.
execute_process(COMMAND ${DPKG_DEB} --field ${packages} Depends Recommends
                OUTPUT_VARIABLE fields)
string(REGEX MATCH "Depends: [^\n]*" depends "${fields}")
string(REGEX MATCH "Recommends: [^\n]*" recommends "${fields}")
if(NOT depends MATCHES "(: |, )qt6-translations-l10n(,|$| )")
    message(FATAL_ERROR "Depends lacks qt6-translations-l10n: ${depends}")
endif()
file(READ ${SOURCE_DIR}/README.md readme)
string(REGEX REPLACE "[ \n]+" " " readme "${readme}")
foreach(field depends recommends)
    string(REGEX MATCH "The package ${field}( on)? ([^.]*)\\." statement "${readme}")
    if(NOT statement)
        message(FATAL_ERROR "README.md does not say what the package ${field}")
    endif()
    string(REGEX MATCHALL "`[a-z0-9.+-]+`" named "${statement}")
    foreach(name ${named})
        string(REPLACE "`" "" name "${name}")
        string(REGEX REPLACE "([.+])" "\\\\\\1" pattern "${name}")
        if(NOT ${field} MATCHES "(: |, | \\| )${pattern}(,|$| )")
            message(FATAL_ERROR "README.md says the package ${field} ${name}; the package: "
                                "${${field}}")
        endif()
    endforeach()
endforeach()

# Informational tags are shown but pass; see the README for the one that remains.
execute_process(COMMAND ${LINTIAN} --fail-on error,warning --display-info ${packages}
                OUTPUT_VARIABLE report ERROR_VARIABLE report RESULT_VARIABLE result)
message(STATUS "lintian:\n${report}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lintian found errors or warnings")
endif()

execute_process(COMMAND ${DPKG_DEB} --contents ${packages} OUTPUT_VARIABLE contents)
string(REGEX MATCHALL "[^ \n]+\n" paths "${contents}")
foreach(path ${paths})
    string(STRIP "${path}" path)
    if(NOT path MATCHES "^\\./usr/" AND NOT path STREQUAL "./")
        message(FATAL_ERROR "packaged outside /usr: ${path}")
    endif()
endforeach()
foreach(expected
        ./usr/bin/tellaria ./usr/share/man/man1/tellaria.1.gz ./usr/share/doc/tellaria/copyright
        ./usr/share/doc/tellaria/changelog.gz ./usr/share/applications/tellaria.desktop
        ./usr/share/man/zh_CN/man1/tellaria.1.gz)
    if(NOT contents MATCHES " ${expected}\n")
        message(FATAL_ERROR "not packaged: ${expected}")
    endif()
endforeach()

execute_process(COMMAND ${DPKG_DEB} --field ${packages} Maintainer OUTPUT_VARIABLE maintainer)
if(NOT maintainer MATCHES "^[^<]+ <[^@>]+@[^>]+>")
    message(FATAL_ERROR "Maintainer without an address: ${maintainer}")
endif()

file(STRINGS ${SOURCE_DIR}/packaging/changelog changelog LIMIT_COUNT 1)
if(NOT changelog MATCHES "^tellaria \\(${VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog does not begin with version ${VERSION}: ${changelog}")
endif()
file(STRINGS ${SOURCE_DIR}/docs/tellaria.1 title REGEX "^\\.TH ")
if(NOT title MATCHES "\"Tellaria ${VERSION}\"")
    message(FATAL_ERROR "docs/tellaria.1 is not for version ${VERSION}: ${title}")
endif()
