# Warnings for our own targets: call qx_warnings(target).
function(qx_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE -Wshadow=local)
    endif()
    if(QX_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Qt code gets Qt's strict defines.
function(qx_qt_strict target)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_FOREACH QT_NO_KEYWORDS)
endfunction()

# A GoogleTest executable registered with CTest. Usage: qx_test(name SOURCES ... LIBS ... [GUI])
function(qx_test name)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    qx_warnings(${name})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}) # shared helpers under tests/common
    target_compile_definitions(${name} PRIVATE QX_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
                                               QX_DEMO_DIR="${QX_DEMO_DIR}")
    set(props "")
    if(T_GUI)
        qx_qt_strict(${name})
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0")
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()

# A library made of the sources of one folder (non-recursive).
# Usage: qx_library(name DIR folder [QT] LIBS ...). An empty folder gives an
# interface library so that later code can be dropped in without touching
# the build.
function(qx_library name)
    cmake_parse_arguments(L "QT" "DIR" "LIBS" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS "${L_DIR}/*.cpp")
    list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
    if(srcs)
        add_library(${name} STATIC ${srcs})
        qx_warnings(${name})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${L_LIBS})
        if(L_QT)
            qx_qt_strict(${name})
            set_target_properties(${name} PROPERTIES AUTOMOC ON)
        endif()
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${L_LIBS})
    endif()
endfunction()
