# Paths are relative to tests/.
# Tests of the simulator and the companion program.
set(TOOLS_TESTS
)
