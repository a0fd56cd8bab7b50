# Build helpers. The layout of folders decides what goes where: a file under a
# win32/ folder needs Windows headers and belongs to the Win32 shell; every other
# source file is portable and compiles natively as well.

# Sources of DIR (recursively) split by half. OUT_PORTABLE and OUT_WIN32 receive lists.
function(lumivar_collect_sources dir out_portable out_win32)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(portable)
  set(win32)
  foreach(f IN LISTS all)
    if(f MATCHES "/entry/")
      continue()
    elseif(f MATCHES "/win32/")
      list(APPEND win32 ${f})
    else()
      list(APPEND portable ${f})
    endif()
  endforeach()
  set(${out_portable} ${portable} PARENT_SCOPE)
  set(${out_win32} ${win32} PARENT_SCOPE)
endfunction()

# A GoogleTest executable from the sources of one test folder. Natively every test
# is its own CTest entry; under Wine the executable is one entry (a Wine process per
# test would cost far more than the tests).
function(lumivar_add_test_executable name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} lumivar_test_support GTest::gmock GTest::gtest)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no
             --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/test-results/${name}.xml
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  endif()
endfunction()
