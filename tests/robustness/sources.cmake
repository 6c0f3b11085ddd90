# Paths are relative to tests/.
# Faults of the device and the line against every operation that talks to
# it, lost and busy ports, and program files that must never be lost.
set(ROBUSTNESS_TESTS
  link/link_fixture.cpp
  robustness/fault_cells.cpp
  robustness/partial_read.cpp
  robustness/fault_matrix_test.cpp
  robustness/port_busy_test.cpp
  robustness/port_loss_test.cpp
  robustness/scratch_mount.cpp
  robustness/file_safety_test.cpp
  robustness/journal_race_test.cpp
)
