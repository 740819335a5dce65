# What makes a whole build cheaper: precompiled headers, unity batches and the tests'
# own optimisation level.  docs/sanitizers.md has what each saves in CI.
#
# The tests always share one precompiled header made of GoogleTest alone.  Every test
# source reaches <gtest/gtest.h> before anything of its own (directly or through its
# folder's test header), so this hides no missing include.
#
# PG_PCH widens it with the standard headers the tests use most, and gives the libraries
# one precompiled header of the standard headers they use most.  PG_UNITY compiles each
# target's sources in batches.  Both hide a missing include, so CI keeps one build
# without them (scripts/test.sh).  A source that cannot share a batch with its
# neighbours (two files defining one name in an anonymous namespace, a macro left
# defined) is kept apart by its folder's CMakeLists.txt:
#
#   set_source_files_properties(Foo.cpp PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
#
# and a target whose compile options differ from its kind's (they must match for the
# shared precompiled header) sets DISABLE_PRECOMPILE_HEADERS.

option(PG_PCH "Precompiled standard headers for the libraries and the tests" OFF)
option(PG_UNITY "Compile each target's sources in unity batches" OFF)
set(PG_UNITY_BATCH 0 CACHE STRING "Sources per unity batch (PG_UNITY; 0: a whole target in one)")
# The test sources only drive the code under test: optimising them buys nothing the
# tests check, while the libraries keep the build type's level.
set(PG_TEST_OPTIMIZE "-O0" CACHE STRING "Optimisation flags of the test sources (the libraries keep the build type's)")

if(PG_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE ${PG_UNITY_BATCH})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # In a batch every source looks like a header to gcc, which then warns about a type
    # of the source's anonymous namespace used in a struct of that source.
    add_compile_options(-Wno-subobject-linkage)
  endif()
endif()

# Sources that define a name another source of their target defines too (internal
# helpers, constants): each is compiled on its own in a unity build.
set(PG_UNITY_APART
  engine/base/GameFolder.cpp
  engine/d3d/D3DSystemInfo.cpp
  engine/draw/TransitionWave.cpp
  engine/draw/TransitionZoom.cpp
  engine/soft/blit/BlitPlain.cpp
  engine/soft/blit/BlitVector.cpp
  engine/soft/blit/SoftStretch.cpp
  engine/soft/effect/SoftFx3Blitter.cpp
  engine/soft/effect/SoftFx3Zoom.cpp
  engine/soft/effect/SoftFxRotate.cpp
  engine/soft/effect/SoftFxRuleWipe.cpp
  game/core/SaveData.cpp
  game/core/SystemData.cpp
  game/menus/settings/SoundOptionPage.cpp
  game/menus/status/StatusPageScene1.cpp
  game/menus/status/StatusPageScene2.cpp
  game/raising/mansionmenu/ShopScene.cpp
  game/raising/season/StaffRollScene.cpp
  game/raising/work/WorkReportScene.cpp
  game/stage/talk/TalkCgImage.cpp
  tools/demo/MansionMenuData.cpp
  bench/soft/effect/bench_soft_effect_crossfade.cpp
  tests/engine/draw/text/text_layout_test.cpp
  tests/engine/draw/text/text_object_test.cpp
  tests/engine/draw/text/text_window_test.cpp
  tests/engine/draw/transition_layer_list_test.cpp
  tests/engine/file/pak_test.cpp
  tests/engine/soft/effect/single/dissolve_test.cpp
  tests/engine/soft/effect/single/jitter_test.cpp
  tests/engine/soft/effect/three/dissolve_test.cpp
  tests/engine/soft/effect/three/zoom_test.cpp
  tests/engine/soft/load_test.cpp
  tests/engine/soft/pixel_rows_test.cpp
  tests/engine/soft/stretch/stretch_mapping_test.cpp
  tests/game/core/records_test.cpp
  tests/game/core/status_test.cpp
  tests/game/core/systemdata_test.cpp
  tests/game/raising/panel/slide_panel_test.cpp
  tests/game/stage/talk/talk_picture_test.cpp
)

# pg_compile_time_finish(): keeps the sources of PG_UNITY_APART out of every target's
# batches.  Called once, after every folder has been added.
function(pg_compile_time_finish)
  if(NOT PG_UNITY AND NOT PG_FUZZERS)
    return()
  endif()
  _pg_all_targets(targets)
  foreach(t ${targets})
    get_target_property(srcs ${t} SOURCES)
    get_target_property(dir ${t} SOURCE_DIR)
    foreach(f ${srcs})
      get_filename_component(f ${f} ABSOLUTE BASE_DIR ${dir})
      file(RELATIVE_PATH rel ${PROJECT_SOURCE_DIR} ${f})
      if(rel IN_LIST PG_UNITY_APART)
        set_source_files_properties(${f} TARGET_DIRECTORY ${t} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      endif()
    endforeach()
  endforeach()
endfunction()

set(_pg_pch_std_libs <algorithm> <array> <atomic> <cmath> <cstdint> <cstdio> <cstdlib> <cstring>
    <functional> <map> <memory> <mutex> <string> <vector>)
set(_pg_pch_std_tests ${_pg_pch_std_libs} <filesystem> <random> <set> <thread>)

# pg_compile_time_targets(): the targets whose precompiled headers the others reuse.
# Called before any module or test is added.
function(pg_compile_time_targets)
  if(PG_PCH)
    add_library(pg_pch_lib OBJECT ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    target_link_libraries(pg_pch_lib PRIVATE Threads::Threads)
    target_compile_options(pg_pch_lib PRIVATE ${PG_MODULE_COVERAGE})
    target_precompile_headers(pg_pch_lib PRIVATE ${_pg_pch_std_libs})
    set_target_properties(pg_pch_lib PROPERTIES UNITY_BUILD OFF)
  endif()
  if(PG_TESTS AND NOT PG_FUZZ)
    add_library(pg_pch_test OBJECT ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    target_link_libraries(pg_pch_test PRIVATE GTest::gtest Threads::Threads)
    target_compile_options(pg_pch_test PRIVATE ${PG_TEST_OPTIMIZE})
    if(PG_PCH)
      target_precompile_headers(pg_pch_test PRIVATE <gtest/gtest.h> ${_pg_pch_std_tests})
    else()
      target_precompile_headers(pg_pch_test PRIVATE <gtest/gtest.h>)
    endif()
    set_target_properties(pg_pch_test PROPERTIES UNITY_BUILD OFF)
  endif()
endfunction()

# pg_compile_time_library(target): a library of the project (a module).
function(pg_compile_time_library target)
  if(PG_PCH)
    target_precompile_headers(${target} REUSE_FROM pg_pch_lib)
  endif()
endfunction()

# pg_compile_time_test(target): a GoogleTest executable.
function(pg_compile_time_test target)
  target_compile_options(${target} PRIVATE ${PG_TEST_OPTIMIZE})
  target_precompile_headers(${target} REUSE_FROM pg_pch_test)
endfunction()
