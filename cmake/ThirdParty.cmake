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

function(_tp_library name prefix)
  cmake_parse_arguments(L "" "" "LIBS;DEPS;DEFS" ${ARGN})
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

_tp_library(tp::ogg ${TALVO_TP_libogg} LIBS ogg)
_tp_library(tp::vorbis ${TALVO_TP_libvorbis} LIBS vorbisenc vorbisfile vorbis DEPS tp::ogg)
_tp_library(tp::mp3lame ${TALVO_TP_lame} LIBS mp3lame)
_tp_library(tp::mpg123 ${TALVO_TP_mpg123} LIBS mpg123 DEPS shlwapi)
_tp_library(tp::jpeg ${TALVO_TP_libjpeg_turbo} LIBS jpeg)
_tp_library(tp::tag ${TALVO_TP_taglib} LIBS tag DEPS z DEFS TAGLIB_STATIC)
_tp_library(tp::ffmpeg ${TALVO_TP_ffmpeg} LIBS avformat avcodec swresample avutil DEPS bcrypt ole32)
