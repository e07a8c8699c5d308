# GoogleTest from the source Debian's googletest package ships, built with this project's compiler.
set(LUMOX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${LUMOX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# lumox_gtest(<name> SOURCES <file>... [LIBS <lib>...] [ENVIRONMENT <var=value>...]
#             [RESOURCE_LOCK <name>...] [OWN_WINE_SERVER] [FIXTURE <name>])
# One GoogleTest program; its cases are listed when ctest runs (under Wine for the Windows build).
# OWN_WINE_SERVER runs it in a prefix of its own, so that process-wide Wine state (window class
# atoms, top-level window names) cannot be touched by other tests running at the same time.
# FIXTURE: a ctest fixture the cases need instead of wine_prefix (only one property value gets
# through test discovery); on Windows its setup test must itself require wine_prefix.
function(lumox_gtest name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "OWN_WINE_SERVER" "FIXTURE" "SOURCES;LIBS;ENVIRONMENT;RESOURCE_LOCK")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main GTest::gmock ${ARG_LIBS})
  if(WIN32 AND ARG_OWN_WINE_SERVER)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR
                 ${PROJECT_SOURCE_DIR}/tools/wine-run ${LUMOX_WINEPREFIX}-${name})
  endif()
  set(props TIMEOUT 120)
  if(ARG_FIXTURE)
    list(APPEND props FIXTURES_REQUIRED ${ARG_FIXTURE})
  elseif(WIN32)
    list(APPEND props FIXTURES_REQUIRED wine_prefix)
  endif()
  if(ARG_ENVIRONMENT)
    list(APPEND props ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
  if(ARG_RESOURCE_LOCK)
    list(APPEND props RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
                       PROPERTIES ${props})
endfunction()
