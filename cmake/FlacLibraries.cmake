# libFLAC and libogg for the plug-in.
# Windows: cross-built once, static and optimised, from Debian's source packages into a cache in
# the build folder (the script skips the work when the cache holds this exact build).
# Native: Debian's own libflac-dev.
if(TARGET flac::FLAC)
  return()
endif()

if(WIN32)
  set(LUMOX_FLAC_PREFIX ${CMAKE_BINARY_DIR}/_deps/flac-libraries)
  execute_process(
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/build-flac-libraries.sh ${LUMOX_FLAC_PREFIX} ${CMAKE_TOOLCHAIN_FILE}
    RESULT_VARIABLE flac_build_result)
  if(NOT flac_build_result EQUAL 0)
    message(FATAL_ERROR "building libFLAC and libogg failed")
  endif()
  add_library(flac::ogg STATIC IMPORTED GLOBAL)
  set_target_properties(flac::ogg PROPERTIES IMPORTED_LOCATION ${LUMOX_FLAC_PREFIX}/lib/libogg.a)
  add_library(flac::FLAC STATIC IMPORTED GLOBAL)
  set_target_properties(flac::FLAC PROPERTIES
    IMPORTED_LOCATION ${LUMOX_FLAC_PREFIX}/lib/libFLAC.a
    INTERFACE_INCLUDE_DIRECTORIES ${LUMOX_FLAC_PREFIX}/include
    INTERFACE_COMPILE_DEFINITIONS FLAC__NO_DLL
    INTERFACE_LINK_LIBRARIES flac::ogg)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LUMOX_FLAC REQUIRED IMPORTED_TARGET GLOBAL flac)
  add_library(flac::FLAC ALIAS PkgConfig::LUMOX_FLAC)
endif()
