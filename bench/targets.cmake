# zuzo_bench: speed figures of the link, the idle tool and the program file
# core (see scripts/bench.sh). Not built in the fuzz and sanitizer builds.
if(NOT ZUZO_FUZZ AND NOT ZUZO_SANITIZE)
  set(ZUZO_BENCH_SOURCES
    bench/bench_main.cpp
    bench/devsim_process.cpp bench/devsim_process.h
    bench/idle_bench.cpp bench/idle_bench.h
    bench/link_bench.cpp bench/link_bench.h
    bench/measure.cpp bench/measure.h
    bench/ptm_bench.cpp bench/ptm_bench.h)
  add_executable(zuzo_bench ${ZUZO_BENCH_SOURCES})
  zuzo_headers(zuzo_bench PRIVATE ${ZUZO_BENCH_SOURCES})
  target_link_libraries(zuzo_bench PRIVATE zuzo_app)
  add_dependencies(zuzo_bench zuzo-devsim)
endif()
