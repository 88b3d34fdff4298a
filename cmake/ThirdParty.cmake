# Imported targets for the third-party libraries that tools/build-thirdparty.sh cross-built.
set(TALVO_THIRDPARTY_CACHE "$ENV{HOME}/.cache/talvo-thirdparty" CACHE PATH
    "Folder holding the cross-built third-party libraries")
if(DEFINED ENV{TALVO_THIRDPARTY_CACHE})
  set(TALVO_THIRDPARTY_CACHE "$ENV{TALVO_THIRDPARTY_CACHE}" CACHE PATH "" FORCE)
endif()
set(_tp_list ${TALVO_THIRDPARTY_CACHE}/${TALVO_HOST}/thirdparty.cmake)
if(NOT EXISTS ${_tp_list})
  message(FATAL_ERROR "No third-party libraries for ${TALVO_HOST} in ${TALVO_THIRDPARTY_CACHE}: run tools/setup.sh")
endif()
include(${_tp_list})

# package is the library's key in the list (TALVO_TP_<package>); a list written by an older
# set-up may not have it yet.
function(_tp_library name package)
  cmake_parse_arguments(L "" "" "LIBS;DEPS;DEFS" ${ARGN})
  set(prefix ${TALVO_TP_${package}})
  if(NOT prefix)
    message(FATAL_ERROR "No ${package} in ${_tp_list}: run tools/setup.sh")
  endif()
  add_library(${name} INTERFACE IMPORTED GLOBAL)
  set(files)
  foreach(lib ${L_LIBS})
    list(APPEND files ${prefix}/lib/lib${lib}.a)
  endforeach()
  set_target_properties(${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include
    INTERFACE_LINK_LIBRARIES "${files};${L_DEPS}"
    INTERFACE_COMPILE_DEFINITIONS "${L_DEFS}")
endfunction()

_tp_library(tp::ogg libogg LIBS ogg)
_tp_library(tp::vorbis libvorbis LIBS vorbisenc vorbisfile vorbis DEPS tp::ogg)
_tp_library(tp::mp3lame lame LIBS mp3lame)
_tp_library(tp::mpg123 mpg123 LIBS mpg123 DEPS shlwapi)
_tp_library(tp::jpeg libjpeg_turbo LIBS jpeg)
_tp_library(tp::tag taglib LIBS tag DEPS z DEFS TAGLIB_STATIC)
_tp_library(tp::ffmpeg ffmpeg LIBS avformat avcodec swresample avutil DEPS bcrypt ole32)
