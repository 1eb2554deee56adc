# cmake -DNM=... -DDLLTOOL=... -DIMPORT_LIBRARY=lib<name>.a -DOUTPUT=... -P MakeDelayImportLibrary.cmake
# Writes a delay-import library with the functions of an ordinary MinGW
# import library: the DLL's name from dlltool --identify, the functions from
# the library's __imp_ symbols (stdcall names keep their @n, which -k drops
# from the imported name again).
foreach(variable NM DLLTOOL IMPORT_LIBRARY OUTPUT)
  if(NOT ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

execute_process(COMMAND ${DLLTOOL} --identify ${IMPORT_LIBRARY}
                OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${NM} ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)

string(REGEX MATCHALL "[ \t]I __imp__[^\r\n]+" imports "${symbols}")
set(functions)
foreach(import ${imports})
  string(REGEX REPLACE "^[ \t]I __imp__" "" function "${import}")
  list(APPEND functions "${function}")
endforeach()
list(REMOVE_DUPLICATES functions)
list(LENGTH functions count)
if(count EQUAL 0)
  message(FATAL_ERROR "${IMPORT_LIBRARY} imports no function")
endif()
list(SORT functions)
list(JOIN functions "\n" exports)

get_filename_component(folder ${OUTPUT} DIRECTORY)
get_filename_component(stem ${OUTPUT} NAME_WE)
file(MAKE_DIRECTORY ${folder})
set(definition ${folder}/${stem}.def)
file(WRITE ${definition} "LIBRARY \"${dll}\"\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${DLLTOOL} -k --input-def ${definition} --dllname ${dll} --output-delaylib ${OUTPUT}
                COMMAND_ERROR_IS_FATAL ANY)
