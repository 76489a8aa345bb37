# quorlen_make_golden refuses a missing data folder and a collection line
# that is no puzzle, with status 1 and a message, before it touches OUT.tsv:
# an earlier file stays as it was.
#   cmake -DTOOL=... -DWORK=... -P make_golden_keeps_output.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/bad-line)
file(WRITE ${WORK}/bad-line/top95.txt "not a puzzle\n")
foreach(data IN ITEMS ${WORK}/missing ${WORK}/bad-line)
  file(WRITE ${WORK}/out.tsv "earlier\n")
  execute_process(COMMAND ${TOOL} ${data} ${WORK}/out.tsv RESULT_VARIABLE status ERROR_VARIABLE err)
  file(READ ${WORK}/out.tsv kept)
  if(NOT status EQUAL 1 OR NOT kept STREQUAL "earlier\n" OR NOT err MATCHES "^quorlen_make_golden: .*top95.txt")
    message(FATAL_ERROR "${data}: status ${status}, stderr ${err}, OUT.tsv now: ${kept}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
