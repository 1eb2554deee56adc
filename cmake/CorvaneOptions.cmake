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

option(CORVANE_SANITIZE "Build the native core with AddressSanitizer and UBSan" OFF)

if(WIN32)
  # Every Windows executable of the build (tests included) runs under Wine in a
  # private prefix below the build tree; tools/wine-env owns that prefix.
  set(CORVANE_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-env exec ${CORVANE_WINE_DIR})
endif()
