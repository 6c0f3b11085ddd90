# Fuzz targets (libFuzzer), built only with -DZUZO_FUZZ=ON and clang; the
# sanitizer and coverage flags come in through CMAKE_CXX_FLAGS (see
# scripts/fuzz.sh), so the core they test is instrumented too.
option(ZUZO_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(ZUZO_FUZZ)
  function(zuzo_fuzz_target name source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ${ARGN})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  endfunction()
  zuzo_fuzz_target(fuzz_ptm_reader fuzz/ptm_reader_fuzz.cpp zuzo_core)
  zuzo_fuzz_target(fuzz_reply_parser fuzz/reply_parser_fuzz.cpp zuzo_core)
  zuzo_fuzz_target(fuzz_frame_parser fuzz/frame_parser_fuzz.cpp zuzo_devsim_lib)
  zuzo_fuzz_target(fuzz_lenient_int fuzz/lenient_int_fuzz.cpp zuzo_core)
  zuzo_fuzz_target(fuzz_plan_csv fuzz/plan_csv_fuzz.cpp zuzo_core)
  # The companion's JSON of a program and "ptm make", without its files.
  add_library(zuzo_fuzz_json STATIC tools/zuzo/json.cpp tools/zuzo/json_reasons.cpp
    tools/zuzo/json_program.cpp tools/zuzo/ptm_make.cpp)
  target_link_libraries(zuzo_fuzz_json PUBLIC zuzo_core nlohmann_json::nlohmann_json)
  set_target_properties(zuzo_fuzz_json PROPERTIES AUTOMOC OFF AUTORCC OFF)
  zuzo_fuzz_target(fuzz_ptm_make fuzz/ptm_make_fuzz.cpp zuzo_fuzz_json)

  add_executable(zuzo_fuzz_seeds fuzz/make_seeds.cpp)
  target_link_libraries(zuzo_fuzz_seeds PRIVATE zuzo_fuzz_json)
  set_target_properties(zuzo_fuzz_seeds PROPERTIES AUTOMOC OFF AUTORCC OFF)
endif()
