# libFuzzer targets.
#
# A clang ASan build (PG_SANITIZE under clang) builds the fuzz targets beside the tests:
# one configuration, one conversion of the literals, one build folder.  libFuzzer needs
# coverage hooks (-fsanitize=fuzzer-no-link) in the code it fuzzes, and the hooks are a
# call at every comparison and switch: code carrying them runs the pixel loops three
# times slower, which would cost the tests of that build more than a second compilation
# of the libraries does.  So the libraries the tests link stay without hooks, and the fuzz
# targets link pg_fuzz_code: every module they reach, compiled again with the hooks, one
# unity batch per module (the plain compilation already checks each file's includes).
#
# PG_FUZZ alone (with PG_TESTS off) builds only the fuzz targets; there the modules
# carry the hooks themselves.

if(PG_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "PG_FUZZ needs clang (libFuzzer): configure with CC=clang CXX=clang++")
endif()

set(PG_FUZZERS OFF)
if(PG_FUZZ OR (PG_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang"))
  set(PG_FUZZERS ON)
endif()
set(PG_FUZZ_COVERAGE "")
if(PG_FUZZERS)
  set(PG_FUZZ_COVERAGE -fsanitize=fuzzer-no-link)
endif()
set(PG_FUZZ_TWIN OFF)
set(PG_MODULE_COVERAGE ${PG_FUZZ_COVERAGE})
if(PG_FUZZERS AND PG_TESTS AND NOT PG_FUZZ)
  set(PG_FUZZ_TWIN ON)
  set(PG_MODULE_COVERAGE "")
endif()

# pg_fuzz_module(name SOURCES files... DEPS modules... OPTIONS flags...): called by
# pg_module for every module.
function(pg_fuzz_module name)
  if(NOT PG_FUZZERS)
    return()
  endif()
  if(NOT PG_FUZZ_TWIN)
    target_compile_options(${name} PRIVATE ${PG_MODULE_COVERAGE})
    return()
  endif()
  cmake_parse_arguments(M "" "" "SOURCES;DEPS;OPTIONS" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY PG_FUZZ_MODULES ${name})
  set_property(GLOBAL PROPERTY PG_FUZZ_SOURCES_${name} ${M_SOURCES})
  set_property(GLOBAL PROPERTY PG_FUZZ_MODULE_DEPS_${name} ${M_DEPS})
  set_property(GLOBAL PROPERTY PG_FUZZ_OPTIONS_${name} ${M_OPTIONS})
endfunction()

# pg_fuzzer(name SOURCE file DEPS targets...): a libFuzzer target, built only in a clang
# sanitizer build.  A folder corpus_<name> beside the source, when present, seeds it.
function(pg_fuzzer name)
  if(NOT PG_FUZZERS)
    return()
  endif()
  cmake_parse_arguments(F "" "SOURCE" "DEPS" ${ARGN})
  add_executable(${name} ${F_SOURCE})
  pg_sanitizer_defaults(${name})
  target_compile_options(${name} PRIVATE ${PG_FUZZ_COVERAGE})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  if(PG_FUZZ_TWIN)
    set_property(GLOBAL PROPERTY PG_FUZZ_DEPS_${name} ${F_DEPS})
  else()
    target_link_libraries(${name} PRIVATE ${F_DEPS})
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  if(NOT TARGET fuzzers)
    add_custom_target(fuzzers)
  endif()
  add_dependencies(fuzzers ${name})
  set_property(GLOBAL APPEND PROPERTY PG_FUZZ_TARGETS ${name})
  get_filename_component(dir ${F_SOURCE} ABSOLUTE)
  get_filename_component(dir ${dir} DIRECTORY)
  file(APPEND ${PROJECT_BINARY_DIR}/fuzzers.txt "${name} ${dir}/corpus_${name}\n")
endfunction()

# pg_fuzz_finish(): builds pg_fuzz_code from the modules the fuzz targets reach and links
# them to it.  Called once, after every folder has been added.
function(pg_fuzz_finish)
  get_property(fuzzers GLOBAL PROPERTY PG_FUZZ_TARGETS)
  if(NOT PG_FUZZ_TWIN OR NOT fuzzers)
    return()
  endif()
  get_property(modules GLOBAL PROPERTY PG_FUZZ_MODULES)
  set(todo "")
  foreach(f ${fuzzers})
    get_property(deps GLOBAL PROPERTY PG_FUZZ_DEPS_${f})
    set(others "")
    foreach(d ${deps})
      if(d IN_LIST modules)
        list(APPEND todo ${d})
      else()
        list(APPEND others ${d})
      endif()
    endforeach()
    target_link_libraries(${f} PRIVATE pg_fuzz_code ${others})
  endforeach()

  set(reached "")
  while(todo)
    list(POP_FRONT todo m)
    if(m IN_LIST reached)
      continue()
    endif()
    list(APPEND reached ${m})
    get_property(deps GLOBAL PROPERTY PG_FUZZ_MODULE_DEPS_${m})
    foreach(d ${deps})
      if(d IN_LIST modules)
        list(APPEND todo ${d})
      endif()
    endforeach()
  endwhile()

  set(sources "")
  foreach(m ${reached})
    get_property(srcs GLOBAL PROPERTY PG_FUZZ_SOURCES_${m})
    get_property(options GLOBAL PROPERTY PG_FUZZ_OPTIONS_${m})
    list(APPEND sources ${srcs})
    set_source_files_properties(${srcs} PROPERTIES UNITY_GROUP ${m})
    if(options)
      set_source_files_properties(${srcs} PROPERTIES COMPILE_OPTIONS "${options}")
    endif()
  endforeach()
  add_library(pg_fuzz_code STATIC ${sources})
  target_include_directories(pg_fuzz_code PUBLIC ${PROJECT_SOURCE_DIR})
  # The plain modules bring the system libraries and their include folders.  They come
  # after pg_fuzz_code on the link line, whose archive already defines every symbol of
  # theirs, so none of their objects is linked in.
  target_link_libraries(pg_fuzz_code PUBLIC ${reached} Threads::Threads)
  target_compile_options(pg_fuzz_code PRIVATE ${PG_FUZZ_COVERAGE})
  set_target_properties(pg_fuzz_code PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP
                        DISABLE_PRECOMPILE_HEADERS ON)
endfunction()
