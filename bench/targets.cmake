# zuzo_bench: speed figures of the link, the idle tool and the program file
# core (see scripts/bench.sh). Not built in the fuzz and sanitizer builds.
if(NOT ZUZO_FUZZ AND NOT ZUZO_SANITIZE)
  add_executable(zuzo_bench
    bench/bench_main.cpp
    bench/measure.cpp
    bench/devsim_process.cpp
    bench/link_bench.cpp
    bench/idle_bench.cpp
    bench/ptm_bench.cpp)
  target_link_libraries(zuzo_bench PRIVATE zuzo_app)
  add_dependencies(zuzo_bench zuzo-devsim)
endif()
