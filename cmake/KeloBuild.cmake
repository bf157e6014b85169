# Project-wide compile settings and the helpers every folder uses.

add_compile_options(-Wall -Wextra)
if(KELO_WERROR)
  add_compile_options(-Werror)
endif()
# Qt's lower-case keyword macros (signals, slots, emit) would capture ordinary names such as "slots".
add_compile_definitions(QT_NO_KEYWORDS)

if(KELO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(KELO_TSAN)
  if(KELO_SANITIZE)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer: choose KELO_SANITIZE or KELO_TSAN")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

if(KELO_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "libFuzzer targets need clang; KELO_FUZZ is switched off")
  set(KELO_FUZZ OFF)
endif()
if(KELO_FUZZ)
  # Every library carries coverage counters, so a fuzz target linked against it is guided through its code.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# kelo_library(<target> [STATIC|SHARED] SOURCES ... DEPS ...)
# A library of ours: the repository root is its include root ("platform/base/WinTypes.h").
function(kelo_library name)
  cmake_parse_arguments(K "SHARED" "" "SOURCES;DEPS" ${ARGN})
  if(K_SHARED)
    add_library(${name} SHARED ${K_SOURCES})
  else()
    add_library(${name} STATIC ${K_SOURCES})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${K_DEPS})
endfunction()

# kelo_test(<target> SOURCES ... DEPS ... [GUI])
# A GoogleTest program; its cases are discovered when ctest runs, so sanitized programs are not run
# at build time. GUI tests run under Qt's offscreen platform. Every test gets its own config folder.
function(kelo_test name)
  cmake_parse_arguments(K "GUI" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  # The race check leaves out the programs whose code under test runs on one thread only.
  if(KELO_TSAN AND name IN_LIST KELO_TSAN_SINGLE_THREADED)
    return()
  endif()
  add_executable(${name} ${K_SOURCES})
  target_link_libraries(${name} PRIVATE ${K_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(NOT K_TIMEOUT)
    set(K_TIMEOUT 120)
  endif()
  set(env "QT_QPA_PLATFORM=offscreen"
          "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
          "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1"
          "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
          "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp:second_deadlock_stack=1:history_size=4"
          "KELO_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
          "KELO_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
          "KELO_MIXER_DEVICE=none"
          "KELO_AUDIO_OUT=none"
          "KELO_AUDIO_IN=none")
  # The environment list would be split apart on its way through the discovery script, so the program is
  # started through `cmake -E env` instead, for discovery and for every run alike.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${CMAKE_COMMAND};-E;env;${env}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${K_TIMEOUT})
endfunction()

# kelo_fuzz(<target> SOURCES ... DEPS ...)
# A libFuzzer target; ctest runs it for a short bounded time on its seed corpus folder if present.
function(kelo_fuzz name)
  cmake_parse_arguments(K "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${K_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${K_DEPS})
  # A seed corpus, when the target has one, lives in fuzz/corpus/<target>/.
  # New inputs go to a folder in the build tree (the first one named), never into the sources.
  set(corpus ${CMAKE_BINARY_DIR}/fuzz-work/${name})
  file(MAKE_DIRECTORY ${corpus})
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    list(APPEND corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  endif()
  # A dictionary, when the target has one, is fuzz/dict/<target>.dict.
  set(dict)
  if(EXISTS ${PROJECT_SOURCE_DIR}/fuzz/dict/${name}.dict)
    set(dict -dict=${PROJECT_SOURCE_DIR}/fuzz/dict/${name}.dict)
  endif()
  add_test(NAME fuzz.${name} COMMAND ${name} -max_total_time=15 -rss_limit_mb=2048 -print_final_stats=1 ${dict}
                                     ${corpus})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 120 LABELS fuzz
                       ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endfunction()
