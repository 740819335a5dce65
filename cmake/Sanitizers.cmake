# Sanitizer builds.  Every test, fuzz target and game binary of such a build carries its
# runtime options compiled in (tests/support/SanitizerDefaults.cpp.in), so a binary run by
# hand stops where CI stops: at the first report of undefined behaviour, a bad memory
# access, a leak of ours or a data race.  No environment variable is needed.

if(PG_TSAN AND (PG_SANITIZE OR PG_FUZZ))
  message(FATAL_ERROR "PG_TSAN cannot be combined with PG_SANITIZE or PG_FUZZ: ThreadSanitizer excludes AddressSanitizer")
endif()

# Halting on the first UBSan report is compiled in: with recovery on, a report would
# scroll past and the test would pass.
set(_pg_ubsan_flags -fsanitize=undefined -fno-sanitize-recover=undefined)
if(PG_SANITIZE OR PG_FUZZ)
  # -g1: line numbers in the reports at little cost in build time.
  add_compile_options(-fsanitize=address ${_pg_ubsan_flags} -fno-omit-frame-pointer -g1)
  add_link_options(-fsanitize=address,undefined)
endif()
if(PG_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -g1)
  add_link_options(-fsanitize=thread)
endif()

set(PG_LEAK_SUPPRESSIONS ${PROJECT_SOURCE_DIR}/tests/support/lsan.supp)
set(PG_THREAD_SUPPRESSIONS ${PROJECT_SOURCE_DIR}/tests/support/tsan.supp)
set(PG_SANITIZER_DEFAULTS ${PROJECT_BINARY_DIR}/SanitizerDefaults.cpp)
if(PG_SANITIZE OR PG_TSAN OR PG_FUZZ)
  file(READ ${PG_LEAK_SUPPRESSIONS} PG_LEAK_SUPPRESSION_TEXT)
  file(READ ${PG_THREAD_SUPPRESSIONS} PG_THREAD_SUPPRESSION_TEXT)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PG_LEAK_SUPPRESSIONS} ${PG_THREAD_SUPPRESSIONS})
  configure_file(${PROJECT_SOURCE_DIR}/tests/support/SanitizerDefaults.cpp.in ${PG_SANITIZER_DEFAULTS} @ONLY)
endif()

# pg_sanitizer_defaults(target): compiles the runtime options into an executable of a
# sanitizer build (a static library would not do: the runtime's weak defaults would win).
function(pg_sanitizer_defaults target)
  if(PG_SANITIZE OR PG_TSAN OR PG_FUZZ)
    target_sources(${target} PRIVATE ${PG_SANITIZER_DEFAULTS})
    target_link_options(${target} PRIVATE -Wl,--export-dynamic-symbol=dlclose)
  endif()
endfunction()
