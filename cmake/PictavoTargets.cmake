# One place that says how a subsystem library and a test are added, so every folder
# follows the same layering rules.

# The layering guard. Qt Core's include path holds the root of every Qt module, so that
# "#include <QtWidgets/QWidget>" would compile anywhere. A folder searched before it answers
# every header of Qt Gui, Widgets and the modules built on them, in each spelling, with an
# #error; logic libraries compile with it in front.
function(pictavo_write_layer_guard guard)
  if(EXISTS ${guard}/written)
    return()
  endif()
  get_target_property(core_dirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
  list(FILTER core_dirs INCLUDE REGEX "/QtCore/?$")
  list(GET core_dirs 0 core_dir)
  cmake_path(GET core_dir PARENT_PATH qt_root)
  foreach(module QtGui QtWidgets QtOpenGL QtOpenGLWidgets QtPrintSupport)
    set(stop "#error \"${module} is not for logic code: it may use Qt Core at most\"\n")
    file(GLOB headers LIST_DIRECTORIES false RELATIVE ${qt_root}/${module} ${qt_root}/${module}/*)
    foreach(header ${headers})
      file(WRITE ${guard}/${module}/${header} "${stop}")
      # The short names (<QWidget>) too, for a library that reaches Widgets through another
      # one; the module header's short name is the module's folder and cannot be a file.
      if(NOT header STREQUAL module)
        file(WRITE ${guard}/${header} "${stop}")
      endif()
    endforeach()
  endforeach()
  file(WRITE ${guard}/written "")
endfunction()
set(PICTAVO_LAYER_GUARD ${CMAKE_BINARY_DIR}/layer-guard)
pictavo_write_layer_guard(${PICTAVO_LAYER_GUARD})

# pictavo_logic_library(NAME SOURCES ... [LIBS ...])
# A logic library may use Qt Core at most: any Gui or Widgets header, however it is named,
# stops its compile, so a window class slipping into it fails to build.
function(pictavo_logic_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  foreach(lib ${ARG_LIBS})
    if(lib MATCHES "^Qt6::(Gui|Widgets|OpenGL|OpenGLWidgets|PrintSupport)$|_ui$")
      message(FATAL_ERROR "${name} is a logic library and may not link ${lib}")
    endif()
  endforeach()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_include_directories(${name} BEFORE PRIVATE ${PICTAVO_LAYER_GUARD})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# pictavo_ui_library(NAME SOURCES ... [LIBS ...]): window code, may use Qt Widgets.
function(pictavo_ui_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Widgets ${ARG_LIBS})
endfunction()

# pictavo_unit_test(NAME SOURCES ... LIBS ...): a GoogleTest program, no display.
function(pictavo_unit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${ARG_LIBS})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
endfunction()

# pictavo_ui_test(NAME SOURCES ... LIBS ...): a QtTest program on the offscreen platform.
function(pictavo_ui_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE Qt6::Test Qt6::Widgets ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ui
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts/truetype;LC_ALL=C.UTF-8")
endfunction()

# pictavo_bench(NAME SOURCES ... LIBS ...): a Google Benchmark program, run on demand.
function(pictavo_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${ARG_LIBS})
endfunction()

# pictavo_fuzz_target(NAME SOURCES ... LIBS ...): a fuzzing harness, whose sources define
# LLVMFuzzerTestOneInput. Its inputs are the small files in tests/fuzz/corpus/NAME, the seeds
# that fuzz_seeds writes into <build>/fuzz/seeds/NAME and every input that once failed, kept in
# tests/fuzz/regressions/NAME. Configured with PICTAVO_FUZZ (clang) it becomes the libFuzzer
# program fuzz_NAME that scripts/fuzz.sh runs; otherwise it becomes fuzz_NAME_replay, which
# runs the harness once over each of those inputs, and a ctest test (label fuzz) that does so.
function(pictavo_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(fuzz_dir ${PROJECT_SOURCE_DIR}/tests/fuzz)
  if(PICTAVO_FUZZ)
    set(program fuzz_${name})
    add_executable(${program} ${ARG_SOURCES})
    target_link_options(${program} PRIVATE -fsanitize=fuzzer)
  else()
    set(program fuzz_${name}_replay)
    add_executable(${program} ${ARG_SOURCES} ${fuzz_dir}/FuzzReplay.cpp)
    add_test(NAME fuzz_replay_${name}
      COMMAND ${program} ${fuzz_dir}/corpus/${name} ${fuzz_dir}/regressions/${name}
              ${CMAKE_BINARY_DIR}/fuzz/seeds/${name})
    set_tests_properties(fuzz_replay_${name} PROPERTIES LABELS fuzz)
  endif()
  set_target_properties(${program} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_link_libraries(${program} PRIVATE ${ARG_LIBS})
  if(TARGET fuzz_seeds)
    add_dependencies(${program} fuzz_seeds)
  endif()
endfunction()
