# CMake functions for the project's COM servers and for programs that carry a type library.
#
#   talvo_com_idl(<name> <file.idl>)
#       Runs widl on the IDL. <name> becomes a static library holding the interface and class
#       identifiers; whoever links it includes the generated <file>.h. The type library's
#       path is the target's TALVO_TLB property.
#   talvo_com_typelib_resource(<target> <idl-library>)
#       Embeds that type library in <target> as resource 1 (type "TYPELIB").
#   talvo_com_server(<target> IDL <file.idl> SOURCES ... [LIBS ...])
#       An in-process server <target>.dll: its sources, the kit's four Dll* entry points
#       (which serve the com::server class table the sources define), the type library of
#       the IDL as resource 1, and an IDL library <target>_idl for clients and tests.
set(TALVO_COM_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "")
set(TALVO_WIDL_IDL_DIR /usr/include/wine/wine/windows CACHE PATH
    "Folder of the Windows IDL files (from libwine-dev)")
set(TALVO_WIDL_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH
    "Folder holding Wine's stdole2.tlb, for importlib")

function(talvo_com_idl name idl)
  get_filename_component(base ${idl} NAME_WE)
  get_filename_component(source ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name})
  file(MAKE_DIRECTORY ${out})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(bits --win64)
  else()
    set(bits --win32)
  endif()
  add_custom_command(
    OUTPUT ${out}/${base}.h ${out}/${base}_i.c ${out}/${base}.tlb
    COMMAND ${TALVO_WIDL} ${bits} -I${TALVO_WIDL_IDL_DIR} -L${TALVO_WIDL_TLB_DIR}
            -h -H ${out}/${base}.h -u -U ${out}/${base}_i.c -t -T ${out}/${base}.tlb ${source}
    DEPENDS ${source}
    COMMENT "widl ${idl}"
    VERBATIM)
  add_library(${name} STATIC ${out}/${base}_i.c ${out}/${base}.h)
  target_include_directories(${name} PUBLIC ${out})
  set_target_properties(${name} PROPERTIES TALVO_TLB ${out}/${base}.tlb)
endfunction()

function(talvo_com_typelib_resource target idl_library)
  get_target_property(tlb ${idl_library} TALVO_TLB)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_typelib.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "1 TYPELIB \"${tlb}\"\n")
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${tlb})
  target_link_libraries(${target} PRIVATE ${idl_library})
endfunction()

function(talvo_com_server target)
  cmake_parse_arguments(S "" "IDL" "SOURCES;LIBS" ${ARGN})
  talvo_com_idl(${target}_idl ${S_IDL})
  add_library(${target} SHARED ${S_SOURCES} ${TALVO_COM_DIR}/ServerExports.cpp ${TALVO_COM_DIR}/server.def)
  # ZEVFoo.dll, not libZEVFoo.dll: clients load servers by their own names.
  set_target_properties(${target} PROPERTIES PREFIX "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # The .def names the entry points without their stdcall decoration.
    target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
  target_link_libraries(${target} PRIVATE talvo::com ${S_LIBS})
  talvo_com_typelib_resource(${target} ${target}_idl)
endfunction()
