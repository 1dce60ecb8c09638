# vardex_program_path(<var> <target>): the path by which tests, benchmarks and
# help2man start one of the project's programs. Natively the program itself;
# when cross-compiling, a shell script of the same name that starts it under
# CMAKE_CROSSCOMPILING_EMULATOR, because an emulated program cannot exec
# another emulated one directly (no binfmt handler is assumed).
function(vardex_program_path var target)
  if(NOT CMAKE_CROSSCOMPILING OR NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(${var} "$<TARGET_FILE:${target}>" PARENT_SCOPE)
    return()
  endif()
  set(script "${CMAKE_BINARY_DIR}/emulated/${target}")
  get_property(done GLOBAL PROPERTY VARDEX_EMULATED_${target})
  if(NOT done)
    set(command "")
    foreach(word ${CMAKE_CROSSCOMPILING_EMULATOR} "$<TARGET_FILE:${target}>")
      string(APPEND command "'${word}' ")
    endforeach()
    file(GENERATE OUTPUT "${script}" CONTENT "#!/bin/sh\nexec ${command}\"$@\"\n"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                          WORLD_READ WORLD_EXECUTE)
    set_property(GLOBAL PROPERTY VARDEX_EMULATED_${target} TRUE)
  endif()
  set(${var} "${script}" PARENT_SCOPE)
endfunction()
