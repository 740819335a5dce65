# Build helpers shared by every folder.
#
# A module is one static library made of every .cpp under its folder (subfolders
# that hold a CMakeLists.txt of their own are left to that file).  Modules of one
# layer (platform, engine, game) are joined into the layer's target, linked as one
# group so that modules may call each other in both directions.

set_property(GLOBAL PROPERTY PG_LAYER_platform "")
set_property(GLOBAL PROPERTY PG_LAYER_engine "")
set_property(GLOBAL PROPERTY PG_LAYER_game "")
set_property(GLOBAL PROPERTY PG_LAYER_tools "")

# pg_add_module_dirs(top): adds every folder below `top` that has a CMakeLists.txt.
function(pg_add_module_dirs top)
  file(GLOB_RECURSE lists CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${top}/*/CMakeLists.txt)
  list(SORT lists)
  foreach(l ${lists})
    get_filename_component(d ${l} DIRECTORY)
    file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${d})
    if(rel STREQUAL "game/app")
      continue()
    endif()
    add_subdirectory(${d} ${PROJECT_BINARY_DIR}/${rel})
  endforeach()
endfunction()

# Collects the .cpp files of the current folder and of subfolders without a CMakeLists.txt.
function(_pg_collect_sources out)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB_RECURSE lists CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  set(result "")
  foreach(f ${all})
    set(keep TRUE)
    foreach(l ${lists})
      get_filename_component(sub ${l} DIRECTORY)
      string(FIND "${f}" "${sub}/" pos)
      if(pos EQUAL 0)
        set(keep FALSE)
      endif()
    endforeach()
    if(f MATCHES "_fuzz\\.cpp$")
      set(keep FALSE)
    endif()
    if(keep)
      list(APPEND result ${f})
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# _pg_all_targets(out): every library and executable the project's folders define.
function(_pg_all_targets out)
  set(all "")
  set(dirs ${PROJECT_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t ${targets})
      get_target_property(type ${t} TYPE)
      if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
        list(APPEND all ${t})
      endif()
    endforeach()
  endwhile()
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# pg_module(name LAYER layer [DEPS modules...] [LIBS libraries...] [OPTIONS flags...])
function(pg_module name)
  cmake_parse_arguments(M "" "LAYER" "DEPS;LIBS;OPTIONS" ${ARGN})
  _pg_collect_sources(srcs)
  if(NOT srcs)
    set(srcs ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${M_DEPS} ${M_LIBS} Threads::Threads)
  if(M_OPTIONS)
    target_compile_options(${name} PRIVATE ${M_OPTIONS})
  endif()
  pg_compile_time_library(${name})
  pg_fuzz_module(${name} SOURCES ${srcs} DEPS ${M_DEPS} OPTIONS ${M_OPTIONS})
  if(M_LAYER)
    set_property(GLOBAL APPEND PROPERTY PG_LAYER_${M_LAYER} ${name})
  endif()
endfunction()

function(pg_make_layers)
  foreach(layer platform engine game)
    get_property(mods GLOBAL PROPERTY PG_LAYER_${layer})
    add_library(${layer} INTERFACE)
    if(mods)
      string(REPLACE ";" "," group "${mods}")
      target_link_libraries(${layer} INTERFACE "$<LINK_GROUP:RESCAN,${group}>")
    endif()
  endforeach()
  target_link_libraries(engine INTERFACE platform)
  target_link_libraries(game INTERFACE engine)
endfunction()

# Test binaries with tests that run long (seconds of their longest test under ASan).
# ctest starts these first, so that no core waits on one of them at the end of a run; a
# fresh build folder has no timings of an earlier run to go by.
set(PG_LONG_TESTS test_playthrough 100 test_golden 30 test_tools_demo 30 test_game_raising_season 25
    test_game_raising_mansion 12)

# The environment of every discovered test: no window and no sound card are needed.
# gtest_discover_tests passes its PROPERTIES through three list expansions (its own
# arguments, the include file it writes, the discovery script) before they reach
# set_tests_properties, and each takes one level of escaping off a semicolon; escaped
# for all three, the list arrives whole instead of as its first entry alone.
set(_pg_test_environment [[SDL_VIDEODRIVER=dummy\\\\\\\;SDL_AUDIODRIVER=dummy]])

# pg_test(name DEPS targets...): one GoogleTest executable of the .cpp files of the
# current folder (files ending in _fuzz.cpp excepted).  Tests run headless.
function(pg_test name)
  if(PG_FUZZ OR NOT PG_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
  _pg_collect_sources(srcs)
  add_executable(${name} ${srcs} ${PROJECT_SOURCE_DIR}/tests/support/RepeatableRandom.cpp)
  pg_sanitizer_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_DEPS} test_support GTest::gtest_main GTest::gmock)
  pg_compile_time_test(${name})
  set(cost 0)
  list(FIND PG_LONG_TESTS ${name} at)
  if(at GREATER_EQUAL 0)
    math(EXPR at "${at} + 1")
    list(GET PG_LONG_TESTS ${at} cost)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES LABELS ${name}
               ENVIRONMENT "${_pg_test_environment}"
               COST ${cost})
  set_property(GLOBAL APPEND PROPERTY PG_TEST_TARGETS ${name})
endfunction()

# pg_bench(name SOURCES files... DEPS targets...): a Google Benchmark executable.
function(pg_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_DEPS} benchmark::benchmark)
endfunction()
