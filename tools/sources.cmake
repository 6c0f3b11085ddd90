# The device simulator and the companion command-line program.
set(DEVSIM_SOURCES
  tools/devsim/sim_device.cpp
)
set(ZUZO_CLI_SOURCES
  tools/zuzo/cli.cpp
)
