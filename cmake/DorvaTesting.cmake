# Helpers for the test targets.
find_package(Threads REQUIRED)
find_package(GTest REQUIRED)

# The run's one X server: started before the first test that opens windows and
# stopped after the last (CTest pulls both in, even for `ctest -R <one suite>`).
function(dorva_xvfb_fixture)
  get_property(done GLOBAL PROPERTY DORVA_XVFB_FIXTURE)
  if(done)
    return()
  endif()
  set_property(GLOBAL PROPERTY DORVA_XVFB_FIXTURE ON)
  find_program(XVFB Xvfb REQUIRED)
  set(dir ${CMAKE_BINARY_DIR}/xvfb)
  add_test(NAME xvfb.start COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh --start ${dir})
  add_test(NAME xvfb.stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh --stop ${dir})
  set_tests_properties(xvfb.start PROPERTIES FIXTURES_SETUP xvfb TIMEOUT 90)
  set_tests_properties(xvfb.stop PROPERTIES FIXTURES_CLEANUP xvfb TIMEOUT 30)
endfunction()

# dorva_add_test(NAME <name> SOURCES <files...> LIBS <libs...> [TOOLKIT] [DISPLAY] [JACK] [PER_CASE] [TIMEOUT <s>])
# A test binary is one CTest entry named <name>: one process runs every case
# (measured: far quicker than a process per case, above all for the toolkit's
# start) and GoogleTest names each failing case in its output.
# TOOLKIT: the test links wxWidgets; a failed toolkit check fails the test.
# DISPLAY: the test opens windows (implies TOOLKIT). A modal dialog nobody
#   answers fails the test within seconds (tests/app/ModalWatchdog.h). It runs
#   on the shared X server (on one of its own when started outside CTest), one
#   such binary at a time, since real key presses and clicks go to whichever
#   window has the focus.
# JACK: the test starts JACK servers; CTest runs one such test at a time, so
#   none of them spends its time waiting for another's server.
# PER_CASE: each case is a CTest entry <name>.<Suite>.<Case> in a process of
#   its own (the JACK tests: libjack keeps state of the servers it talked to).
include(GoogleTest)
function(dorva_add_test)
  cmake_parse_arguments(T "TOOLKIT;DISPLAY;PER_CASE;JACK" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  set(locks "")
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main Threads::Threads)
  if(T_TOOLKIT OR T_DISPLAY)
    target_sources(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/app/ToolkitAsserts.cpp)
  endif()
  if(T_DISPLAY)
    dorva_xvfb_fixture()
    # The watchdog ends native dialogs through GTK.
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(DORVA_TEST_GTK REQUIRED IMPORTED_TARGET gtk+-3.0)
    target_sources(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/app/ModalWatchdog.cpp)
    target_link_libraries(${T_NAME} PRIVATE PkgConfig::DORVA_TEST_GTK)
    set_property(TARGET ${T_NAME} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh)
    set(locks xvfb)
    set(display_properties FIXTURES_REQUIRED xvfb ENVIRONMENT DORVA_XVFB_DIR=${CMAKE_BINARY_DIR}/xvfb)
  endif()
  if(T_JACK)
    list(APPEND locks jack)
  endif()
  if(T_PER_CASE)
    if(locks)
      # A discovered case's properties cannot carry a list: it takes the first
      # lock only (a display case with JACK still queues for the server itself).
      list(GET locks 0 lock)
      list(APPEND display_properties RESOURCE_LOCK ${lock})
    endif()
    gtest_discover_tests(${T_NAME} TEST_PREFIX "${T_NAME}." DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120 ${display_properties})
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} ${display_properties})
  if(locks)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${locks}")
  endif()
endfunction()
