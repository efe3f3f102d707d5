# GoogleTest comes from Debian: the host build uses libgtest-dev, the cross builds compile the
# sources in /usr/src/googletest with the mingw compiler. Nothing is downloaded.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  if(NOT TARGET gtest)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
  set(PROJECT_GTEST_LIBS gtest_main gmock)
else()
  find_package(GTest REQUIRED)
  set(PROJECT_GTEST_LIBS GTest::gtest_main GTest::gmock)
endif()

# add_project_test(NAME SOURCES... [LIBS libs...] [PROPERTIES props...])
# One GoogleTest executable; every test case becomes a CTest test. Cross-built tests run under
# Wine through CMAKE_CROSSCOMPILING_EMULATOR, so their list is read when the tests run.
function(add_project_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${PROJECT_GTEST_LIBS})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    TEST_PREFIX "${name}."
    PROPERTIES ${ARG_PROPERTIES})
endfunction()
