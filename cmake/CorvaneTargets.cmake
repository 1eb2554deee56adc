# Helpers that give every subsystem library and test the same shape.

function(corvane_compile_settings target)
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
  if(WIN32)
    target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX
                               _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
    target_compile_options(${target} PUBLIC $<$<COMPILE_LANGUAGE:C,CXX>:-municode>)
  endif()
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra>)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 warns of overlapping or out-of-bounds copies inside the C++
    # runtime's own std::string and std::vector code once C++20 instantiates
    # them in our objects (GCC bugs 105329, 105651, 107852): noise, not faults.
    target_compile_options(${target} PRIVATE
                           $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread>)
  endif()
  if(CORVANE_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PUBLIC $<$<COMPILE_LANGUAGE:C,CXX>:-fsanitize=address,undefined -fno-omit-frame-pointer>)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(CORVANE_SANITIZE_THREAD AND NOT WIN32)
    target_compile_options(${target} PUBLIC $<$<COMPILE_LANGUAGE:C,CXX>:-fsanitize=thread -fno-omit-frame-pointer>)
    target_link_options(${target} PUBLIC -fsanitize=thread)
  endif()
endfunction()

# corvane_library(<name> [SOURCES portable...] [WINDOWS windows-only...]
#                 [NATIVE native-only...] [DEPENDS libs...])
# Defines corvane_<name>: the portable sources in both builds, the WINDOWS
# sources only in the Windows build, the NATIVE sources (the host stand-ins of
# a _win.cpp sibling) only in the native build.
function(corvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;WINDOWS;NATIVE;DEPENDS" ${ARGN})
  set(sources ${ARG_SOURCES})
  if(WIN32)
    list(APPEND sources ${ARG_WINDOWS})
  else()
    list(APPEND sources ${ARG_NATIVE})
  endif()
  if(NOT sources)
    return()  # a Windows-only subsystem in the native build
  endif()
  add_library(corvane_${name} STATIC ${sources})
  corvane_compile_settings(corvane_${name})
  if(ARG_DEPENDS)
    target_link_libraries(corvane_${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# corvane_unit_test(<name> SOURCES ... [DEPENDS ...] [WINDOWS_ONLY])
# A GoogleTest executable registered with ctest. Windows tests run under Wine in
# the build's private prefix, which the wine fixture creates once per run.
function(corvane_unit_test name)
  cmake_parse_arguments(ARG "WINDOWS_ONLY" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  corvane_compile_settings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -static -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine LABELS wine)
  else()
    set_tests_properties(${name} PROPERTIES LABELS native)
  endif()
endfunction()

# windres reports no dependencies: rebuild a resource script when any part of
# resources/ changes. Source properties are per directory, so every directory
# that compiles the script calls this.
function(corvane_track_resources rc_file)
  file(GLOB_RECURSE resource_parts CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h
       ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.png
       ${CMAKE_SOURCE_DIR}/resources/*.bmp ${CMAKE_SOURCE_DIR}/resources/*.rtf
       ${CMAKE_SOURCE_DIR}/resources/*.manifest ${CMAKE_SOURCE_DIR}/resources/*.in)
  set_property(SOURCE ${rc_file} APPEND PROPERTY OBJECT_DEPENDS ${resource_parts})
endfunction()

# corvane_service_fixture(<fixture> <ctl.py> [start options...])
# The start and stop tests of a helper service that its ctl.py runs in the
# background with its state in the build tree's folder <fixture>.
function(corvane_service_fixture fixture ctl)
  set(state ${CMAKE_CURRENT_BINARY_DIR}/${fixture})
  add_test(NAME ${fixture}_start COMMAND /usr/bin/python3 ${ctl} start ${state} ${ARGN})
  add_test(NAME ${fixture}_stop COMMAND /usr/bin/python3 ${ctl} stop ${state})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture})
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture})
endfunction()

# The prefix a test puts before a path of the build machine: drive Z: under Wine.
macro(corvane_host_path_prefix variable)
  set(${variable} "")
  if(WIN32)
    set(${variable} Z:)
  endif()
endmacro()

# corvane_refserver_fixture(<fixture> [TLS] [OPTIONS server options...] TESTS <test>...)
# A reference server (tools/refserver) of the tests' own: started before them
# on a free port, with the OPTIONS given (such as --packages DIR), and
# stopped after them. The tests find its port file through
# CORVANE_REFSERVER_PORT_FILE (under Wine through drive Z:) and meet no proxy
# of the machine's environment on loopback.
# With TLS it also serves over TLS, with a certificate for 127.0.0.1 from a
# throwaway authority made afresh for the run; the tests find that port's file
# through CORVANE_REFSERVER_TLS_PORT_FILE and the authority's certificate
# (PEM) through CORVANE_TEST_CA_FILE.
function(corvane_refserver_fixture fixture)
  cmake_parse_arguments(ARG "TLS" "" "OPTIONS;TESTS" ${ARGN})
  set(state ${CMAKE_CURRENT_BINARY_DIR}/${fixture})
  corvane_host_path_prefix(drive)
  set(server_options ${ARG_OPTIONS})
  set(tls_environment "")
  if(ARG_TLS)
    set(certificates ${state}/certificates)
    add_test(NAME ${fixture}_certificates
             COMMAND ${CMAKE_SOURCE_DIR}/tools/refserver/make-test-certificates ${certificates})
    set_tests_properties(${fixture}_certificates PROPERTIES FIXTURES_SETUP ${fixture}_certificates)
    list(APPEND server_options --tls-cert ${certificates}/server.pem --tls-key ${certificates}/server.key)
    set(tls_environment CORVANE_REFSERVER_TLS_PORT_FILE=${drive}${state}/tls-port
                        CORVANE_TEST_CA_FILE=${drive}${certificates}/ca.pem)
  endif()
  corvane_service_fixture(${fixture} ${CMAKE_SOURCE_DIR}/tools/refserver/ctl.py ${server_options})
  if(ARG_TLS)
    set_tests_properties(${fixture}_start PROPERTIES FIXTURES_REQUIRED ${fixture}_certificates)
  endif()
  set(port_file ${drive}${state}/port)
  foreach(test ${ARG_TESTS} ${ARG_UNPARSED_ARGUMENTS})
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED ${fixture})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT CORVANE_REFSERVER_PORT_FILE=${port_file})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ${tls_environment})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
      http_proxy=unset: HTTP_PROXY=unset: https_proxy=unset: HTTPS_PROXY=unset:
      all_proxy=unset: ALL_PROXY=unset: no_proxy=unset: NO_PROXY=unset: CORVANE_SYSTEM_PROXY=unset:
      CORVANE_SYSTEM_PROXY_BYPASS=unset:)
  endforeach()
endfunction()

# corvane_proxy_fixture(<fixture> [AUTH basic|ntlm] [HOSTS name=address...] TESTS <test>...)
# A real forward proxy (squid, tools/testproxy) of the tests' own on a free
# loopback port; the HOSTS names are resolved by the proxy alone, so a request
# that reaches one has gone through it. The tests find the port's file
# through CORVANE_TEST_PROXY_PORT_FILE (under Wine through drive Z:).
function(corvane_proxy_fixture fixture)
  cmake_parse_arguments(ARG "" "AUTH" "HOSTS;TESTS" ${ARGN})
  set(options "")
  if(ARG_AUTH)
    list(APPEND options --auth ${ARG_AUTH})
  endif()
  foreach(host ${ARG_HOSTS})
    list(APPEND options --host ${host})
  endforeach()
  corvane_service_fixture(${fixture} ${CMAKE_SOURCE_DIR}/tools/testproxy/ctl.py ${options})
  corvane_host_path_prefix(drive)
  set(state ${CMAKE_CURRENT_BINARY_DIR}/${fixture})
  foreach(test ${ARG_TESTS})
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED ${fixture})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT CORVANE_TEST_PROXY_PORT_FILE=${drive}${state}/port)
  endforeach()
endfunction()
