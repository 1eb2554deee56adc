# Third-party code: GoogleTest (from Debian's sources, built for each target),
# RapidXML (header only) and libcurl (Debian's for native, our cross build for Windows).

set(CORVANE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${CORVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()

add_library(corvane_rapidxml INTERFACE)
target_include_directories(corvane_rapidxml SYSTEM INTERFACE /usr/include/rapidxml)

set(CORVANE_CACHE_DIR ${CMAKE_SOURCE_DIR}/.cache CACHE PATH "Where tools/setup keeps built dependencies")
add_library(corvane_curl INTERFACE)
if(WIN32)
  set(curl_prefix ${CORVANE_CACHE_DIR}/curl-mingw)
  if(NOT EXISTS ${curl_prefix}/lib/libcurl.a)
    message(FATAL_ERROR "libcurl for Windows is missing: run tools/setup")
  endif()
  target_include_directories(corvane_curl SYSTEM INTERFACE ${curl_prefix}/include)
  target_compile_definitions(corvane_curl INTERFACE CURL_STATICLIB)
  target_link_libraries(corvane_curl INTERFACE ${curl_prefix}/lib/libcurl.a
                        ws2_32 crypt32 bcrypt secur32 advapi32)
else()
  find_package(CURL REQUIRED)
  target_link_libraries(corvane_curl INTERFACE CURL::libcurl)
endif()
