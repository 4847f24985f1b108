# Checks a compiled help file: it is a CHM file (it starts with "ITSF") and it holds every
# page that the contents file CONTENTS lists (the names are stored as "/page.html").
# cmake -D HELP_FILE=VNTL.chm -D CONTENTS=toc.hhc -P check_help_file.cmake

file(READ "${HELP_FILE}" content HEX)
string(HEX "ITSF" magic)
string(FIND "${content}" "${magic}" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "${HELP_FILE} is not a compiled help file")
endif()

file(STRINGS "${CONTENTS}" entries REGEX "name=\"Local\" value=\"[^\"]+\"")
set(count 0)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE ".*name=\"Local\" value=\"([^\"]+)\".*" "\\1" page "${entry}")
  string(HEX "/${page}" name)
  string(FIND "${content}" "${name}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${HELP_FILE} holds no page ${page}")
  endif()
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${CONTENTS} lists no pages")
endif()
message(STATUS "${HELP_FILE} holds all ${count} pages of ${CONTENTS}")
