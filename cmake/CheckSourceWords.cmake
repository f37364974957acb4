# Fails when a comment or a test name in src/, tests/ or tools/ tells where behaviour came from
# instead of what it is: phrases of history, a routine's former name used as a label
# ("SetProgress: ..."), or a former control name in brackets ("(lstSequence)").
# Run with -DSOURCE_DIR=<repository root>.
set(phrases
  "windows program" "as designed" "was designed" "designed in" "the design " "always did"
  "always treated" "as it always" "started as" "old windows" "visual basic" "activex" "vb6"
  "as before" "like before" "used to be" "formerly" "originally" "legacy")
set(test_name_words
  "asdesigned" "wasdesigned" "alwaysdid" "asitalways" "asbefore" "likebefore" "windowsprogram"
  "legacy" "originally")

file(GLOB_RECURSE files ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/tests/*.h
  ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.sh ${SOURCE_DIR}/tools/*.h
  ${SOURCE_DIR}/tools/*.cpp)
set(found "")
foreach(path IN LISTS files)
  file(RELATIVE_PATH name ${SOURCE_DIR} ${path})
  if(path MATCHES "\\.sh$")
    set(marker "#")
  else()
    set(marker "//")
  endif()
  file(STRINGS ${path} lines)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    string(FIND "${line}" "${marker}" at)
    if(NOT at EQUAL -1)
      math(EXPR at "${at} + 2")
      string(SUBSTRING "${line}" ${at} -1 comment)
      string(TOLOWER "${comment}" lower)
      foreach(phrase IN LISTS phrases)
        string(FIND "${lower}" "${phrase}" hit)
        if(NOT hit EQUAL -1)
          string(APPEND found "\n  ${name}:${number}: \"${phrase}\" in: ${comment}")
        endif()
      endforeach()
      if(comment MATCHES "^ *[A-Z][a-z]+[A-Z][A-Za-z0-9]*: " OR lower MATCHES "\\((lst|tmr|mnu|cmd|cls)[a-z]")
        string(APPEND found "\n  ${name}:${number}: a former name as a label in: ${comment}")
      endif()
    endif()
    if(line MATCHES "^ *TEST(_F|_P)?\\(")
      string(TOLOWER "${line}" lower)
      foreach(word IN LISTS test_name_words)
        string(FIND "${lower}" "${word}" hit)
        if(NOT hit EQUAL -1)
          string(APPEND found "\n  ${name}:${number}: test name says \"${word}\": ${line}")
        endif()
      endforeach()
    endif()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Say what the code does, not where it came from:${found}")
endif()
list(LENGTH files count)
message(STATUS "${count} files state behaviour only")
