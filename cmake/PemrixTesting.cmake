# Helpers that keep every test folder's CMakeLists a few lines long.
find_package(GTest REQUIRED)
include(GoogleTest)

# pemrix_add_gtest(<name> SOURCES ... LIBS ...): a GoogleTest suite, one ctest entry per test.
function(pemrix_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
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
