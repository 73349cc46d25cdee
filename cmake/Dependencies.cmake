# pugixml and GoogleTest are compiled from the Debian source packages that
# tools/setup-deps.sh unpacks into the dependency folder.

file(GLOB VELMORA_PUGIXML_DIR LIST_DIRECTORIES true ${VELMORA_DEPS_DIR}/pugixml-*)
if(NOT VELMORA_PUGIXML_DIR OR NOT EXISTS ${VELMORA_PUGIXML_DIR}/src/pugixml.cpp)
    message(FATAL_ERROR "pugixml sources not found in ${VELMORA_DEPS_DIR}: run tools/setup-deps.sh")
endif()
add_library(pugixml STATIC ${VELMORA_PUGIXML_DIR}/src/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${VELMORA_PUGIXML_DIR}/src)

file(GLOB VELMORA_GOOGLETEST_DIR LIST_DIRECTORIES true ${VELMORA_DEPS_DIR}/googletest-*)
if(NOT VELMORA_GOOGLETEST_DIR OR NOT EXISTS ${VELMORA_GOOGLETEST_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${VELMORA_DEPS_DIR}: run tools/setup-deps.sh")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(${VELMORA_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
