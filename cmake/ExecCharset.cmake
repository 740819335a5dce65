# Shift-JIS literals under clang.
#
# Text inside the program is Shift-JIS.  gcc converts the sources' UTF-8 literals itself
# (-fexec-charset=CP932); clang accepts no execution charset but UTF-8.  A clang build
# therefore compiles copies of the sources whose non-ASCII literals are spelled as
# Shift-JIS escapes (pg_exec_charset, cmake/ExecCharset.cpp), laid over the originals with
# a VFS overlay: include lookup, diagnostics, __FILE__ and the dependency files all keep
# the original paths, and an edited source is converted again before anything compiles.
#
# Every source and header below the module folders is in the overlay, so a file that
# gains Japanese text needs nothing done.

# The converter is a plain program in every build, so that its test runs under gcc too.
add_executable(pg_exec_charset ${PROJECT_SOURCE_DIR}/cmake/ExecCharset.cpp)
set_target_properties(pg_exec_charset PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

set(PG_EXEC_CHARSET_OVERLAY "")
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(_pg_cs_dir ${PROJECT_BINARY_DIR}/exec_charset)
  set(_pg_cs_globs "")
  foreach(top engine game platform tools tests bench)
    foreach(ext cpp h inl)
      list(APPEND _pg_cs_globs ${PROJECT_SOURCE_DIR}/${top}/*.${ext})
    endforeach()
  endforeach()
  file(GLOB_RECURSE _pg_cs_files CONFIGURE_DEPENDS ${_pg_cs_globs})
  list(SORT _pg_cs_files)

  set(_pg_cs_list "")
  set(_pg_cs_roots "")
  foreach(f ${_pg_cs_files})
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${f})
    string(APPEND _pg_cs_list "${rel}\n")
    string(REPLACE "'" "''" name "${f}")
    string(REPLACE "'" "''" copy "${_pg_cs_dir}/src/${rel}")
    string(APPEND _pg_cs_roots "    { 'type': 'file', 'name': '${name}', 'external-contents': '${copy}' },\n")
  endforeach()
  file(CONFIGURE OUTPUT ${_pg_cs_dir}/files.txt CONTENT "${_pg_cs_list}")
  file(CONFIGURE OUTPUT ${_pg_cs_dir}/overlay.yaml CONTENT
"{ 'version': 0, 'case-sensitive': 'true', 'use-external-names': false,
  'roots': [
${_pg_cs_roots}  ] }
" @ONLY)

  add_custom_command(OUTPUT ${_pg_cs_dir}/stamp
    COMMAND pg_exec_charset ${PROJECT_SOURCE_DIR} ${_pg_cs_dir}/src ${_pg_cs_dir}/files.txt ${_pg_cs_dir}/stamp
    DEPENDS pg_exec_charset ${_pg_cs_files} ${_pg_cs_dir}/files.txt
    COMMENT "Spelling the sources' literals in Shift-JIS for clang"
    VERBATIM)
  add_custom_target(pg_exec_charset_sources DEPENDS ${_pg_cs_dir}/stamp)
  set(PG_EXEC_CHARSET_OVERLAY ${_pg_cs_dir}/overlay.yaml)
  # Options added after this point reach every target but the converter.
  add_compile_options(-ivfsoverlay ${PG_EXEC_CHARSET_OVERLAY})
endif()

# pg_exec_charset_depends(): makes every compiled target of the project wait for the
# converted sources.  Called once, after every folder has been added.
function(pg_exec_charset_depends)
  if(NOT PG_EXEC_CHARSET_OVERLAY)
    return()
  endif()
  _pg_all_targets(targets)
  foreach(t ${targets})
    if(NOT t STREQUAL "pg_exec_charset")
      add_dependencies(${t} pg_exec_charset_sources)
    endif()
  endforeach()
endfunction()
