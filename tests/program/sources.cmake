# Paths are relative to tests/.
set(PROGRAM_CORE_TESTS
)
set(PROGRAM_QT_TESTS
)
