# zuzo_devsim_lib: the simulated device on a pseudo-terminal (standard
# library only; Linux: the programs for Windows carry no simulator), under
# the thin program tools/devsim/main.cpp.
set(DEVSIM_SOURCES
  tools/devsim/adapter_hold.cpp tools/devsim/adapter_hold.h
  tools/devsim/detach.cpp tools/devsim/detach.h
  tools/devsim/fault_names.cpp tools/devsim/fault_names.h
  tools/devsim/frame_parser.cpp tools/devsim/frame_parser.h
  tools/devsim/pty_server.cpp tools/devsim/pty_server.h
  tools/devsim/sim_device.cpp tools/devsim/sim_device.h
  tools/devsim/sim_options.cpp tools/devsim/sim_options.h
)
