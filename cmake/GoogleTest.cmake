# GoogleTest: the system package natively; Debian's sources compiled with the cross
# toolchain for the Windows build.
if(CMAKE_CROSSCOMPILING)
  set(LUMIVAR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
  if(NOT EXISTS ${LUMIVAR_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found at ${LUMIVAR_GTEST_SOURCE}; run scripts/setup")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${LUMIVAR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
