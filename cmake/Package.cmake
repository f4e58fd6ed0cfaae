# The Debian package, built from a configured tree with `cpack -G DEB`: everything
# the install rules put in place, under /usr.
set(GRIDTALLY_PACKAGE_MAINTAINER "GridTally maintainers <maintainers@gridtally.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME gridtally)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${GRIDTALLY_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "raster grid-map library and the gridtally value census")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "gridtally loads one ESRI ASCII grid and prints how many cells hold each\n"
       "distinct value, in ascending order of value.\n"
       "\n"
       "The package also holds the C++17 library it is built on (the grid model,\n"
       "the ASCII grid reader and the map tools) with its headers, a CMake package\n"
       "(find_package(GridTally), target GridTally::gridmap) and a pkg-config file.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${GRIDTALLY_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Dependencies come from the shared libraries the binaries need (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A shared gridmap gets its shlibs entry and ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

include(CPack)
