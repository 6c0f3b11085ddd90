# Read by cpack before it makes the Debian package (CPACK_PROJECT_CONFIG_FILE):
# without dpkg-shlibdeps (package dpkg-dev) CPack would quietly make a
# package that depends on none of the Qt libraries the programs load, which
# installs and then fails to start. It stops here instead.
if(CPACK_GENERATOR STREQUAL "DEB")
  cmake_policy(SET CMP0109 NEW) # a program must be executable to count
  find_program(ZUZO_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(NOT ZUZO_DPKG_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is missing (package dpkg-dev; scripts/install-deps.sh installs it): "
                        "without it the package would not depend on the Qt libraries")
  endif()
endif()
