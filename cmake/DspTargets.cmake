# Shared settings for every target of the project: warnings, sanitizers, include root.

set(DSP_WARNINGS -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual)
# Locals that hide other locals; clang has no warning for exactly that (its -Wshadow also covers
# members and parameters).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND DSP_WARNINGS -Wshadow=local)
endif()
if(DSP_WERROR)
  list(APPEND DSP_WARNINGS -Werror)
endif()

if(DSP_SANITIZE)
  string(REPLACE "," ";" _dsp_sanitizers "${DSP_SANITIZE}")
  set(_dsp_san_flags)
  foreach(s IN LISTS _dsp_sanitizers)
    list(APPEND _dsp_san_flags -fsanitize=${s})
  endforeach()
  list(APPEND _dsp_san_flags -fno-omit-frame-pointer)
  if(DSP_SANITIZE MATCHES "undefined")
    list(APPEND _dsp_san_flags -fno-sanitize-recover=undefined)
  endif()
  # Some optimisation keeps sanitized test runs quick without hiding faults.
  add_compile_options(-O1)
  add_compile_options(${_dsp_san_flags})
  add_link_options(${_dsp_san_flags})
endif()

# dsp_library(<name> SOURCES <files...> [PUBLIC_DEPS <targets...>] [PRIVATE_DEPS <targets...>])
# One library per source folder. Headers are included from the project root ("model/Lcmd.h").
function(dsp_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${DSP_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# dsp_program(<name> SOURCES <files...> DEPS <targets...>)
function(dsp_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${DSP_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

# The environment every test runs in: headless Qt at 96 dpi, no scaling, C locale.
set(DSP_TEST_ENVIRONMENT
  QT_QPA_PLATFORM=offscreen
  QT_ENABLE_HIGHDPI_SCALING=0
  QT_SCALE_FACTOR=1
  QT_FONT_DPI=96
  LC_ALL=C.UTF-8
)

# dsp_test(<name> SOURCES <files...> DEPS <targets...> [LABELS <labels...>] [MAIN <target>]
#          [PROPERTIES <test properties...>])
# LABELS threads: the program's tests use threads and also run in CI's ThreadSanitizer pass.
# MAIN test_support_main: a main that starts the framework Application (tests/support).
# PROPERTIES: further properties of every test of the program, each a name and one value
# (RESOURCE_LOCK for tests that need the same fixed port, say).
# A GoogleTest program whose cases CTest lists when it runs (so discovery happens inside the
# test run's network namespace and under its sanitizers).
function(dsp_test name)
  cmake_parse_arguments(ARG "" "MAIN" "SOURCES;DEPS;LABELS;PROPERTIES" ${ARGN})
  if(NOT ARG_MAIN)
    set(ARG_MAIN GTest::gtest_main)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${DSP_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} ${ARG_MAIN} GTest::gtest GTest::gmock)
  # Programs whose tests exercise threads also run under ThreadSanitizer; the target
  # tests_threads (tests/CMakeLists.txt) builds exactly those.
  if("threads" IN_LIST ARG_LABELS)
    set_property(GLOBAL APPEND PROPERTY DSP_THREAD_TEST_PROGRAMS ${name})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  # The properties go onto the discovered tests from a file that CTest reads after the list of
  # them: given to gtest_discover_tests, a value that is a list (the environment, two labels)
  # would be split into words that run into the next property's name.
  set(lines "foreach(test IN LISTS ${name}_TESTS)\n  set_tests_properties(\"\${test}\" PROPERTIES")
  string(APPEND lines " ENVIRONMENT [==[${DSP_TEST_ENVIRONMENT}]==] TIMEOUT 300")
  if(ARG_LABELS)
    string(APPEND lines " LABELS [==[${ARG_LABELS}]==]")
  endif()
  foreach(word IN LISTS ARG_PROPERTIES)
    string(APPEND lines " [==[${word}]==]")
  endforeach()
  string(APPEND lines ")\nendforeach()\n")
  set(file "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
  file(WRITE "${file}" "${lines}")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${file}")
endfunction()

# dsp_bench(<name> SOURCES <files...> DEPS <targets...>)
function(dsp_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${DSP_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
