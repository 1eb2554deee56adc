# corvane_delay_load(<target> <library>...)
# Links <target> against delay-import libraries of the named system libraries:
# each DLL is loaded at the first call into it, not by the loader before the
# program's first instruction, so the program's own start-up decides where it
# is looked for. The libraries are made with dlltool from the toolchain's
# import libraries and carry the same names in a folder searched first, so
# every "-l<library>" of <target>, its dependencies' included, finds them.
function(corvane_delay_load target)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}-delayimp)
  set(outputs)
  foreach(library ${ARGN})
    find_library(CORVANE_IMPORT_LIB_${library} NAMES lib${library}.a REQUIRED NO_CACHE)
    set(output ${folder}/lib${library}.a)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
              -DIMPORT_LIBRARY=${CORVANE_IMPORT_LIB_${library}} -DOUTPUT=${output}
              -P ${CMAKE_SOURCE_DIR}/cmake/MakeDelayImportLibrary.cmake
      DEPENDS ${CORVANE_IMPORT_LIB_${library}} ${CMAKE_SOURCE_DIR}/cmake/MakeDelayImportLibrary.cmake
      COMMENT "Delay-import library of ${library}"
      VERBATIM)
    list(APPEND outputs ${output})
  endforeach()
  add_custom_target(${target}_delay_imports DEPENDS ${outputs})
  add_dependencies(${target} ${target}_delay_imports)
  target_link_directories(${target} BEFORE PRIVATE ${folder})
  # Keeps the thunks of functions declared dllimport (see the launcher).
  set_property(TARGET ${target} PROPERTY C_LINKER_LAUNCHER
               ${CMAKE_SOURCE_DIR}/cmake/delay-import-link ${CMAKE_NM} ${folder})
  set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
               ${CMAKE_SOURCE_DIR}/cmake/delay-import-link ${CMAKE_NM} ${folder})
  # A rebuilt delay-import library relinks the target.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${outputs})
endfunction()
