# talvo_host_program(<output file> SOURCES ... [HEADERS ...] [INCLUDES ...] [LIBS ...] [COMMENT ...]):
# a program for the build machine, built with its own C++ compiler, that the build then runs
# (the generators that draw pictures at build time).
find_program(TALVO_HOST_CXX NAMES c++ g++ REQUIRED)
function(talvo_host_program output)
  cmake_parse_arguments(H "" "COMMENT" "SOURCES;HEADERS;INCLUDES;LIBS" ${ARGN})
  list(TRANSFORM H_INCLUDES PREPEND -I)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${TALVO_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Werror ${H_INCLUDES} ${H_SOURCES} -o ${output} ${H_LIBS}
    DEPENDS ${H_SOURCES} ${H_HEADERS}
    COMMENT "${H_COMMENT}"
    VERBATIM)
endfunction()
