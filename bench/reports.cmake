# Benchmark of the report engine; included from bench/CMakeLists.txt with
#   include(${CMAKE_CURRENT_SOURCE_DIR}/reports.cmake)
add_executable(bench_report ${CMAKE_CURRENT_LIST_DIR}/bench_report.cpp)
manager_target_defaults(bench_report)
target_link_libraries(bench_report PRIVATE reports_core)
set_target_properties(bench_report PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
