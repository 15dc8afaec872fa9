# The program's shell (src/app) stands on every other folder and no folder stands on it: a file
# outside src/app that includes "app/..." fails the check, naming the file and the line.
#
#   cmake -DFONTES=<repository>/src -P ConfereInclusoes.cmake

if(NOT FONTES OR NOT IS_DIRECTORY "${FONTES}")
  message(FATAL_ERROR "FONTES must name the src folder (got '${FONTES}').")
endif()

file(GLOB_RECURSE arquivos LIST_DIRECTORIES false RELATIVE "${FONTES}" "${FONTES}/*.h"
     "${FONTES}/*.cpp")
set(violacoes "")
set(conferidos 0)
foreach(arquivo IN LISTS arquivos)
  if(arquivo MATCHES "^app/")
    continue()
  endif()
  math(EXPR conferidos "${conferidos} + 1")
  file(STRINGS "${FONTES}/${arquivo}" linhas REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]app/")
  foreach(linha IN LISTS linhas)
    string(STRIP "${linha}" linha)
    list(APPEND violacoes "src/${arquivo}: ${linha}")
  endforeach()
endforeach()

if(conferidos EQUAL 0)
  message(FATAL_ERROR "No source file found under ${FONTES}.")
endif()
if(violacoes)
  list(JOIN violacoes "\n  " texto)
  message(FATAL_ERROR "Files outside src/app include src/app:\n  ${texto}")
endif()
message(STATUS "${conferidos} files outside src/app, none includes app/.")
