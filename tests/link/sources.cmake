# Paths are relative to tests/.
set(LINK_CORE_TESTS
)
set(LINK_QT_TESTS
)
