# Read by cpack before each Windows package (CPACK_PROJECT_CONFIG_FILE): the
# ZIP is the portable copy, which runs from wherever it is unpacked, named
# so (zuzo-transport-VERSION-win64-portable.zip), with a README.txt of its
# own at its top on how to use it (packaging/portable.txt). The installer
# holds the same installed files without it.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-portable")
  list(APPEND CPACK_INSTALLED_DIRECTORIES "${CPACK_ZUZO_PORTABLE_DIR}" ".")
endif()
