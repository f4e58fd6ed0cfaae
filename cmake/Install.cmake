# Installation: the gridmap library with its public headers, the gridtally command
# and its manual page, and the files a consumer finds them by: a CMake package
# (find_package(GridTally CONFIG), target GridTally::gridmap) and gridtally.pc.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(GRIDTALLY_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/gridtally)
set(GRIDTALLY_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/GridTally)

# Headers that serve the implementation only; no public header may include them.
set(GRIDTALLY_INTERNAL_HEADERS TGridScanner.h TInputFile.h TKeyBuckets.h TKeySort.h TTwoThreads.h TValueCensus.h
                              cellloops.h)

set(GRIDTALLY_PUBLIC_HEADERS)
foreach(dir IN LISTS GRIDTALLY_SOURCE_DIRS)
  file(GLOB dir_headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.h)
  foreach(header IN LISTS dir_headers)
    get_filename_component(header_name ${header} NAME)
    if(NOT header_name IN_LIST GRIDTALLY_INTERNAL_HEADERS)
      list(APPEND GRIDTALLY_PUBLIC_HEADERS ${header})
    endif()
  endforeach()
endforeach()

target_include_directories(gridmap PUBLIC $<INSTALL_INTERFACE:${GRIDTALLY_INSTALL_INCLUDEDIR}>)
# The headers are C++17; consumers get the standard with the target.
target_compile_features(gridmap PUBLIC cxx_std_17)
set_target_properties(gridmap PROPERTIES VERSION ${PROJECT_VERSION}
                                         SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
if(BUILD_SHARED_LIBS)
  # The installed command finds the shared library next to it, wherever the prefix is.
  file(RELATIVE_PATH GRIDTALLY_BIN_TO_LIB ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(gridtally PROPERTIES INSTALL_RPATH "$ORIGIN/${GRIDTALLY_BIN_TO_LIB}")
endif()

install(TARGETS gridmap EXPORT GridTallyTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS gridtally RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${GRIDTALLY_PUBLIC_HEADERS} DESTINATION ${GRIDTALLY_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_SOURCE_DIR}/doc/gridtally.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(EXPORT GridTallyTargets NAMESPACE GridTally:: DESTINATION ${GRIDTALLY_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/GridTallyConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/GridTallyConfig.cmake
                              INSTALL_DESTINATION ${GRIDTALLY_INSTALL_CMAKEDIR})
# Before 1.0 a minor release may change the interface.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(GRIDTALLY_COMPATIBILITY SameMinorVersion)
else()
  set(GRIDTALLY_COMPATIBILITY SameMajorVersion)
endif()
write_basic_package_version_file(${PROJECT_BINARY_DIR}/GridTallyConfigVersion.cmake
                                 COMPATIBILITY ${GRIDTALLY_COMPATIBILITY})
install(FILES ${PROJECT_BINARY_DIR}/GridTallyConfig.cmake ${PROJECT_BINARY_DIR}/GridTallyConfigVersion.cmake
        DESTINATION ${GRIDTALLY_INSTALL_CMAKEDIR})

# The .pc file locates the prefix from its own place, so the installed tree can
# move; directories given as absolute paths stay as given.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(GRIDTALLY_PC_PREFIX ${CMAKE_INSTALL_PREFIX})
  set(GRIDTALLY_PC_LIBDIR ${CMAKE_INSTALL_FULL_LIBDIR})
  set(GRIDTALLY_PC_INCLUDEDIR ${CMAKE_INSTALL_FULL_INCLUDEDIR}/gridtally)
else()
  file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(GRIDTALLY_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
  set(GRIDTALLY_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  set(GRIDTALLY_PC_INCLUDEDIR "\${prefix}/${GRIDTALLY_INSTALL_INCLUDEDIR}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/gridtally.pc.in ${PROJECT_BINARY_DIR}/gridtally.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/gridtally.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
