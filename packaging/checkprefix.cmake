# Runs before CPack packs the .deb: a Debian package lives under /usr, and the paths written into
# it at configure time (the library directory, trellon.pc) must say so.
if(NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "the .deb is laid out for /usr, but this build is configured for "
                      "${CPACK_PACKAGING_INSTALL_PREFIX}: configure with -DCMAKE_INSTALL_PREFIX=/usr "
                      "(or run `make package` from the source tree)")
endif()
