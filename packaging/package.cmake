# The Debian package of the suite, built by `cpack -G DEB` in a build tree
# configured with the `package` preset (prefix /usr, system settings in
# /etc/hollin-suite). Programs go to /usr/bin, settings files, translations
# and examples to /usr/share/hollin-suite, manual pages to /usr/share/man,
# copyright and changelog to /usr/share/doc/hollin-suite.
set(hollin_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/hollin-suite)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${hollin_doc_dir})

# Debian wants the changelog compressed without name or time stamp.
find_program(GZIP_FOR_CHANGELOG gzip)
if(GZIP_FOR_CHANGELOG)
  set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
  add_custom_command(
    OUTPUT ${changelog_gz}
    COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${GZIP_FOR_CHANGELOG}
            ${CMAKE_CURRENT_LIST_DIR}/changelog ${changelog_gz}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
    VERBATIM)
  add_custom_target(debian_changelog ALL DEPENDS ${changelog_gz})
  install(FILES ${changelog_gz} DESTINATION ${hollin_doc_dir})
endif()

# The system settings file is a configuration file: an upgrade keeps the
# administrator's changes.
if(HOLLIN_INSTALL_SYSTEM_SETTINGS)
  set(hollin_conffiles ${CMAKE_CURRENT_BINARY_DIR}/conffiles)
  file(WRITE ${hollin_conffiles} "${HOLLIN_INSTALLED_SETTINGS_DIR}/wendmoor.ini\n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${hollin_conffiles})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hollin-suite)
set(CPACK_PACKAGE_VENDOR "The Hollin Suite developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "slope stability by the method of slices")
# The extended description; CPack puts the summary above it as the synopsis.
set(CPACK_PACKAGE_DESCRIPTION
    "Programs for the stability of earth slopes by the method of slices.
quarnby (the simplified method) and wendmoor (the ordinary method) analyse one
trial slip surface given section by section in a slope data file and write a
results report. wendmoor-cli runs the ordinary method in batch from a job file.
hollin reads a whole slope model, cuts trial surfaces into slices, analyses
them, writes the programs' data files and reports, and searches for the
critical circle. Run hollin init to set up a working folder.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Hollin Suite maintainers <maintainers@users.noreply.c-seed-f466f159.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)

# The package's test, in the package's build tree only.
if(HOLLIN_INSTALL_SYSTEM_SETTINGS)
  add_test(NAME package_installs_and_runs
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/test-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(package_installs_and_runs PROPERTIES SKIP_RETURN_CODE 77)
endif()
