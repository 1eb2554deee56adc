# Authenticode signing of the installer (the windows-release preset turns it on).
#
# Without a certificate of its own the build signs with a throwaway publisher
# made afresh in ${CMAKE_BINARY_DIR}/signing by tests/packages/make_test_pki.sh,
# which proves the signing step and nothing more. A real release names its
# certificate chain and key (PEM) and a timestamp server, e.g.
#   cmake --preset windows-release -DCORVANE_SIGNING_CERT=/secure/chain.pem
#         -DCORVANE_SIGNING_KEY=/secure/key.pem -DCORVANE_TIMESTAMP_URL=http://timestamp.example.com
option(CORVANE_SIGN_INSTALLER "Sign the installer with osslsigncode after linking" OFF)
set(CORVANE_SIGNING_CERT "" CACHE FILEPATH "PEM certificate chain to sign with; empty: a throwaway publisher")
set(CORVANE_SIGNING_KEY "" CACHE FILEPATH "PEM private key of CORVANE_SIGNING_CERT")
set(CORVANE_TIMESTAMP_URL "" CACHE STRING "RFC 3161 timestamp server; empty: no timestamp")

# The throwaway authorities: the signer when no certificate is given, and the
# partner who re-signs a configured copy in the release signature test.
set(CORVANE_SIGNING_PKI ${CMAKE_BINARY_DIR}/signing)

# corvane_sign_executable(<target>): signs the target's file in place after every link.
function(corvane_sign_executable target)
  if(NOT CORVANE_SIGN_INSTALLER)
    return()
  endif()
  find_program(CORVANE_OSSLSIGNCODE osslsigncode)
  if(NOT CORVANE_OSSLSIGNCODE)
    message(FATAL_ERROR "osslsigncode is missing: run tools/setup")
  endif()
  set(pki_files ${CORVANE_SIGNING_PKI}/root.pem ${CORVANE_SIGNING_PKI}/publisher.pem
                ${CORVANE_SIGNING_PKI}/publisher.key ${CORVANE_SIGNING_PKI}/other.pem)
  add_custom_command(OUTPUT ${pki_files}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/packages/make_test_pki.sh ${CORVANE_SIGNING_PKI}
    DEPENDS ${CMAKE_SOURCE_DIR}/tests/packages/make_test_pki.sh
    COMMENT "Throwaway signing authorities of the installer")
  add_custom_target(${target}_signing_pki DEPENDS ${pki_files})
  add_dependencies(${target} ${target}_signing_pki)
  if(CORVANE_SIGNING_CERT)
    if(NOT CORVANE_SIGNING_KEY)
      message(FATAL_ERROR "CORVANE_SIGNING_CERT is set without CORVANE_SIGNING_KEY")
    endif()
    set(cert ${CORVANE_SIGNING_CERT})
    set(key ${CORVANE_SIGNING_KEY})
  else()
    set(cert ${CORVANE_SIGNING_PKI}/publisher.pem)
    set(key ${CORVANE_SIGNING_PKI}/publisher.key)
  endif()
  set(timestamp)
  if(CORVANE_TIMESTAMP_URL)
    set(timestamp -ts ${CORVANE_TIMESTAMP_URL})
  endif()
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E rm -f ${file}.signed
    COMMAND ${CORVANE_OSSLSIGNCODE} sign -certs ${cert} -key ${key} -h sha256 -n "Corvane 2013 Installer"
            ${timestamp} -in ${file} -out ${file}.signed
    COMMAND ${CMAKE_COMMAND} -E rename ${file}.signed ${file}
    COMMENT "Signing ${target}"
    VERBATIM)
endfunction()
