# Common settings for every target of the project.
function(manager_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
  if(MANAGER_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE
    QT_DISABLE_DEPRECATED_UP_TO=0x060000 QT_NO_CAST_FROM_BYTEARRAY)
endfunction()

# manager_library(name SOURCES ... LIBS ...): a static library with the defaults.
function(manager_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PUBLIC_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  manager_target_defaults(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_LIBS})
  if(MANAGER_PCH)
    target_precompile_headers(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src/pch_core.h)
  endif()
endfunction()

# manager_test(name SOURCES ... LIBS ... [DB] [GUI]): one QtTest executable under CTest.
# DB tests are labelled "db" and run a second time against PostgreSQL by `make test`.
function(manager_test name)
  cmake_parse_arguments(ARG "DB;GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  manager_target_defaults(${name})
  target_link_libraries(${name} PRIVATE Qt6::Test test_support ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set(labels unit)
  if(ARG_DB)
    set(labels db)
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${labels}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=tr_TR.UTF-8;LC_ALL=C.UTF-8;MANAGER_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    TIMEOUT 600)
endfunction()
