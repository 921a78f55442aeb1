# Helpers for the test targets.
include(GoogleTest)
find_package(Threads REQUIRED)
find_package(GTest REQUIRED)

# dorva_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [DISPLAY] [TIMEOUT <s>])
# DISPLAY: the test opens windows; each test process gets an X server of its own.
function(dorva_add_test)
  cmake_parse_arguments(T "DISPLAY" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main Threads::Threads)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(T_DISPLAY)
    find_program(XVFB Xvfb REQUIRED)
    set_property(TARGET ${T_NAME} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh)
  endif()
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
