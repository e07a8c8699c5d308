# Every Windows test program runs under Wine in a private prefix inside the build folder.
set(LUMOX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run ${LUMOX_WINEPREFIX})

# A new prefix opens no windows until its first wineserver session has ended: set it up once,
# before any other test.
add_test(NAME wine_prefix_init COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-run ${LUMOX_WINEPREFIX} --init)
set_tests_properties(wine_prefix_init PROPERTIES FIXTURES_SETUP wine_prefix)
