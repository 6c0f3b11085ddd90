# Paths are relative to tests/.
set(PLANS_CORE_TESTS
)
set(PLANS_QT_TESTS
)
