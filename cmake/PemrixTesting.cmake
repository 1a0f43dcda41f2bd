# Helpers that keep every test folder's CMakeLists a few lines long.
# Debian ships googletest built for the build machine only, so a cross build builds its sources
# (Debian's googletest package) for the target; any build may point here at a source tree.
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(pemrix_googletest_default /usr/src/googletest)
endif()
set(PEMRIX_GOOGLETEST_SOURCE "${pemrix_googletest_default}" CACHE PATH
  "googletest's source tree, built with the suites; empty: an installed googletest")
if(PEMRIX_GOOGLETEST_SOURCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${PEMRIX_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Under wine: a prefix of the build's own, no debug channels, no offer to install wine's .NET
# and HTML engines, which nothing here needs, and no display, so it runs headless anywhere.
set(PEMRIX_EMULATOR_ENVIRONMENT
  "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;DISPLAY=")

# pemrix_add_gtest(<name> SOURCES ... LIBS ...): a GoogleTest suite, one ctest entry per test.
function(pemrix_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    # Under wine each start costs more than a test takes: one ctest entry per suite.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${PEMRIX_EMULATOR_ENVIRONMENT}")
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

# pemrix_add_qtest(<name> SOURCES ... LIBS ...): a Qt Test suite, run offscreen.
function(pemrix_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  # Qt and fontconfig keep caches alive until exit; leak reports there say nothing about our code.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
endfunction()
