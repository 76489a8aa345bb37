# Checks that a program's documents agree with it: every option that its
# --help shows is in its manual page and in its section of the README, every
# option that the manual page lists (its .TP items) is in --help, and
# --version prints "NAME VERSION".
#
#   cmake -DPROGRAM=path -DNAME=name -DVERSION=x.y.z -DMAN_PAGE=path
#         -DREADME=path -DHEADING="## ..." -P check_documents.cmake
#
# An option is a word of the help that starts with one or two dashes and a
# letter (-j, --count-only), or "--" alone, after a blank, a comma or a
# bracket.
foreach(variable PROGRAM NAME VERSION MAN_PAGE README HEADING)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_documents.cmake needs -D${variable}=...")
  endif()
endforeach()

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NAME} --help ended with ${status}")
endif()
# Brackets are out of the way first: a CMake list would take them for its own.
string(REGEX REPLACE "[],[(|)]" " " words " ${help} ")
string(REGEX MATCHALL "[ \t\n]--?[A-Za-z][-A-Za-z]*|[ \t\n]--[ \t\n]" words "${words}")
set(options)
foreach(word IN LISTS words)
  string(STRIP "${word}" option)
  list(APPEND options "${option}")
endforeach()
list(REMOVE_DUPLICATES options)
list(LENGTH options count)
if(count LESS 2)
  message(FATAL_ERROR "${NAME} --help shows ${count} options: not a help text\n${help}")
endif()

# The manual page as it reads: no font changes, \- a dash, no \& marks.
file(READ ${MAN_PAGE} man)
string(REGEX REPLACE "\\\\f[BIRP]|\\\\f\\([A-Z][A-Z]|\\\\&" "" man "${man}")
string(REPLACE "\\-" "-" man "${man}")

file(READ ${README} readme)
string(FIND "${readme}" "\n${HEADING}\n" start)
if(start LESS 0)
  message(FATAL_ERROR "${README} has no heading ${HEADING}")
endif()
string(SUBSTRING "${readme}" ${start} -1 section)
string(SUBSTRING "${section}" 1 -1 rest)
string(FIND "${rest}" "\n## " end)
string(SUBSTRING "${section}" 0 ${end} section)

set(missing)
foreach(option IN LISTS options)
  foreach(document IN ITEMS man section)
    if(NOT "\n${${document}}\n" MATCHES "[^-A-Za-z0-9]${option}([^-A-Za-z0-9]|$)")
      list(APPEND missing "${option} (${document})")
    endif()
  endforeach()
endforeach()
if(missing)
  list(JOIN missing ", " missing)
  message(FATAL_ERROR "${NAME}: options of --help missing from its manual page or README section: ${missing}")
endif()

# The other way: an option gone from the program must go from its manual.
string(REGEX MATCHALL "\n\\.TP\n[^\n]*" items "${man}")
set(stale)
foreach(item IN LISTS items)
  string(REGEX REPLACE "[],\"[(|)]" " " item " ${item} ")
  string(REGEX MATCHALL "[ \t]--?[A-Za-z][-A-Za-z]*|[ \t]--[ \t]" listed "${item}")
  foreach(word IN LISTS listed)
    string(STRIP "${word}" option)
    list(FIND options "${option}" at)
    if(at LESS 0)
      list(APPEND stale "${option}")
    endif()
  endforeach()
endforeach()
if(stale)
  list(JOIN stale ", " stale)
  message(FATAL_ERROR "${NAME}: options of its manual page that --help does not show: ${stale}")
endif()

execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version STREQUAL "${NAME} ${VERSION}\n")
  message(FATAL_ERROR "${NAME} --version ended with ${status} and printed \"${version}\", not \"${NAME} ${VERSION}\"")
endif()
list(JOIN options " " options)
message(STATUS "${NAME}: ${options} documented; version ${VERSION}")
