# Compiles an IDL file with widl into a header, the interface ids and a type library.
#   vt_compile_idl(<name> <file.idl>) defines the object library <name> (the ids), puts
#   <stem>.h in the build folder that mirrors the IDL's own (so it is included by the
#   same folder-qualified name as a source header), and sets <name>_TLB to the type
#   library's path.
set(VT_WIDL_INCLUDE /usr/include/wine/wine/windows CACHE PATH "System IDL files for widl")
set(VT_WIDL_LIBDIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH "Where stdole2.tlb is")

function(vt_compile_idl name idl)
  get_filename_component(stem ${idl} NAME_WE)
  get_filename_component(idl_abs ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  file(MAKE_DIRECTORY ${out})
  set(widl ${WIDL_EXECUTABLE} --nostdinc -I ${VT_WIDL_INCLUDE} -L ${VT_WIDL_LIBDIR} -m64)
  add_custom_command(
    OUTPUT ${out}/${stem}.h ${out}/${stem}_i.c ${out}/${stem}.tlb
    COMMAND ${widl} -h -o ${out}/${stem}.h ${idl_abs}
    COMMAND ${widl} -u -o ${out}/${stem}_i.c ${idl_abs}
    COMMAND ${widl} -t -o ${out}/${stem}.tlb ${idl_abs}
    DEPENDS ${idl_abs}
    COMMENT "widl ${stem}.idl")
  add_library(${name} OBJECT ${out}/${stem}_i.c ${out}/${stem}.h)
  set(${name}_TLB ${out}/${stem}.tlb PARENT_SCOPE)
endfunction()
