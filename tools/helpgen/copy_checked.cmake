# Copies files into the game folder and stops the build, naming the file, when a source is
# missing or is not the kind of file its destination promises.
#
#   cmake -D KIND=<ttf|any> -D WHAT=<label> -P copy_checked.cmake -- <src> <dst> [<src> <dst>...]
#
# A destination whose content is already the same is left untouched, so this can run on every
# build without making anything downstream look out of date.

cmake_minimum_required(VERSION 3.16)

# The arguments after "--" are the pairs; everything before belongs to cmake itself.
set(pairs)
set(seen_separator FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(seen_separator)
    list(APPEND pairs "${CMAKE_ARGV${i}}")
  elseif("${CMAKE_ARGV${i}}" STREQUAL "--")
    set(seen_separator TRUE)
  endif()
endforeach()

list(LENGTH pairs count)
math(EXPR odd "${count} % 2")
if(count EQUAL 0 OR odd)
  message(FATAL_ERROR "copy_checked.cmake: expected <source> <destination> pairs after --")
endif()

# Leading bytes that every file of a kind starts with, as lower-case hex.
set(magic_ttf "00010000")

math(EXPR last_pair "${count} - 1")
foreach(i RANGE 0 ${last_pair} 2)
  math(EXPR j "${i} + 1")
  list(GET pairs ${i} src)
  list(GET pairs ${j} dst)

  if(NOT EXISTS "${src}" OR IS_DIRECTORY "${src}")
    message(FATAL_ERROR "${WHAT}: missing file ${src} (needed for ${dst})")
  endif()

  if(DEFINED magic_${KIND})
    set(magic "${magic_${KIND}}")
    string(LENGTH "${magic}" hex_chars)
    math(EXPR bytes "${hex_chars} / 2")
    file(READ "${src}" head LIMIT ${bytes} HEX)
    string(TOLOWER "${head}" head)
    if(NOT head STREQUAL magic)
      message(FATAL_ERROR "${WHAT}: ${src} is not a ${KIND} file (it starts with ${head})")
    endif()
  endif()

  # configure_file with COPYONLY copies bytes as they are and skips an identical destination.
  configure_file("${src}" "${dst}" COPYONLY)
endforeach()
