# Build options: deployment addresses, sanitizers, and the Wine test bed.

# Deployment values. The defaults point at the reference services that tools/
# runs on loopback, so a default build installs end to end on one machine.
set(CORVANE_SERVICE_ORIGIN "http://127.0.0.1:48080" CACHE STRING
    "Scheme, host and port of the download, statistics, log and update services")
set(CORVANE_DEFAULT_DOWNLOAD_LINK "${CORVANE_SERVICE_ORIGIN}/download.asp" CACHE STRING
    "Built-in package download address")
set(CORVANE_DEFAULT_THANKYOU_LINK
    "${CORVANE_SERVICE_ORIGIN}/trial/thankyou.aspx?utm_source=webinstaller&utm_medium=installer&msnID=corvane2013&utm_campaign=trial"
    CACHE STRING "Built-in thank-you page address")
set(CORVANE_STATISTICS_URL "${CORVANE_SERVICE_ORIGIN}/DesktopService.asmx" CACHE STRING
    "Installation statistics SOAP endpoint")
set(CORVANE_LOG_HANDLER_URL "${CORVANE_SERVICE_ORIGIN}/LogHandler.ashx" CACHE STRING
    "Log handler receiving failure lines")
set(CORVANE_UPDATE_URL "${CORVANE_SERVICE_ORIGIN}/Service.asmx" CACHE STRING
    "Update check SOAP endpoint")
set(CORVANE_SERVICE_NAMESPACE "http://services.corvane.example/" CACHE STRING
    "Namespace URI of the SOAP services")

# A package without a stamped digest is installed only when its Authenticode
# signature is trusted and its signer is this publisher: the signer
# certificate's subject common name or its SHA-1 thumbprint in hexadecimal.
# The default names the throwaway publisher the tests sign their packages with.
set(CORVANE_PACKAGE_PUBLISHER "Corvane Test Publisher" CACHE STRING
    "Publisher whose signature a package without a stamped digest must carry")
if(CORVANE_PACKAGE_PUBLISHER STREQUAL "")
  message(FATAL_ERROR "CORVANE_PACKAGE_PUBLISHER names no publisher: every unstamped package would be refused")
endif()

# A release build talks to its services and fetches its package over https
# only: a plain http address could be redirected or answered by anyone.
option(CORVANE_REQUIRE_HTTPS "Refuse any service or download address that is not https" OFF)
if(CORVANE_REQUIRE_HTTPS)
  foreach(address CORVANE_DEFAULT_DOWNLOAD_LINK CORVANE_DEFAULT_THANKYOU_LINK CORVANE_STATISTICS_URL
                  CORVANE_LOG_HANDLER_URL CORVANE_UPDATE_URL)
    if(NOT ${address} MATCHES "^https://[^/]")
      message(FATAL_ERROR "${address} is not an https address: ${${address}}")
    endif()
  endforeach()
endif()

option(CORVANE_SANITIZE "Build the native core with AddressSanitizer and UBSan" OFF)
option(CORVANE_SANITIZE_THREAD "Build the native core with ThreadSanitizer (tools/tsan)" OFF)

if(WIN32)
  # Every Windows executable of the build (tests included) runs under Wine in a
  # private prefix below the build tree; tools/wine-env owns that prefix.
  set(CORVANE_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-env exec ${CORVANE_WINE_DIR})
endif()
