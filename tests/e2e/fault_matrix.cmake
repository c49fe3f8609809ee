# The fault matrix: every request of the window against every fault of the simulated converter.
# The cells are built once; each group of fault columns is its own test, so that they run side by side.
add_library(fault_matrix_cells STATIC test_fault_matrix.cpp fault_matrix.h)
set_target_properties(fault_matrix_cells PROPERTIES AUTOMOC ON)
target_include_directories(fault_matrix_cells PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(fault_matrix_cells PUBLIC Qt6::Test app)

foreach(group no_answer wrong_command frames codes position split delay)
  mh_add_test(NAME test_fault_matrix_${group} SOURCES test_fault_matrix_main.cpp LIBS fault_matrix_cells TIMEOUT 150
              LABELS fault_matrix)
  target_compile_definitions(test_fault_matrix_${group} PRIVATE MH_FAULT_GROUP="${group}")
endforeach()
