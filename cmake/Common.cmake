# Flags shared by every target of both builds.
# Designated initialisers leave members at their defaults on purpose.
add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)

if(WIN32)
  # Wine's dbghelp reads DWARF 4, not 5.
  add_compile_options(-gdwarf-4)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601)
  set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
  set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")
else()
  # The native build exists to run the Win32-free cores under the sanitizers and the fuzzers.
  set(LUMOX_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(-g ${LUMOX_SANITIZE})
  add_link_options(${LUMOX_SANITIZE})
endif()

include_directories(${PROJECT_SOURCE_DIR}/include)
# Internal helpers shared by the deliverables (handle owners); never part of a public header.
include_directories(${PROJECT_SOURCE_DIR}/common)

# lumox_check_pe(<target> [EXPORTS <name>...] [IMPORTS_ALSO <dll>...] [MODULE_NAME <name>])
# Registers a packaging test: the built PE file may import only system DLLs (plus IMPORTS_ALSO),
# must export exactly the names given, undecorated, and, with MODULE_NAME, its export table must
# name the library so.
function(lumox_check_pe target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "MODULE_NAME" "EXPORTS;IMPORTS_ALSO")
  add_test(NAME packaging.${target}
           COMMAND pecheck $<TARGET_FILE:${target}>
                   --exports "${ARG_EXPORTS}" --imports-also "${ARG_IMPORTS_ALSO}"
                   --module-name "${ARG_MODULE_NAME}")
  set_tests_properties(packaging.${target} PROPERTIES FIXTURES_REQUIRED wine_prefix)
endfunction()
