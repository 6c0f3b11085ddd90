# Fuzz targets (libFuzzer), built only with -DZUZO_FUZZ=ON and clang; the
# sanitizer and coverage flags come in through CMAKE_CXX_FLAGS (see
# scripts/fuzz.sh), so the core they test is instrumented too.
option(ZUZO_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(ZUZO_FUZZ)
  # The targets' shared check, a header alone.
  add_library(zuzo_fuzz_check INTERFACE)
  zuzo_headers(zuzo_fuzz_check INTERFACE fuzz/fuzz_check.h)
  function(zuzo_fuzz_target name source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE zuzo_fuzz_check ${ARGN})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  endfunction()
  zuzo_fuzz_target(fuzz_ptm_reader fuzz/ptm_reader_fuzz.cpp zuzo_program_core)
  zuzo_fuzz_target(fuzz_reply_parser fuzz/reply_parser_fuzz.cpp zuzo_link_core)
  zuzo_fuzz_target(fuzz_frame_parser fuzz/frame_parser_fuzz.cpp zuzo_devsim_lib)
  zuzo_fuzz_target(fuzz_lenient_int fuzz/lenient_int_fuzz.cpp zuzo_program_core)
  zuzo_fuzz_target(fuzz_plan_csv fuzz/plan_csv_fuzz.cpp zuzo_plans_core)
  # The companion's JSON of a program and "ptm make", without its files.
  zuzo_fuzz_target(fuzz_ptm_make fuzz/ptm_make_fuzz.cpp zuzo_cli_json)

  add_executable(zuzo_fuzz_seeds fuzz/make_seeds.cpp)
  target_link_libraries(zuzo_fuzz_seeds PRIVATE zuzo_cli_json zuzo_link_core zuzo_plans_core)
  set_target_properties(zuzo_fuzz_seeds PROPERTIES AUTOMOC OFF AUTORCC OFF)
endif()
