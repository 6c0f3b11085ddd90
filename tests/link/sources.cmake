# Paths are relative to tests/.
set(LINK_CORE_TESTS
  link/port_names_test.cpp
)
set(LINK_QT_TESTS
)
