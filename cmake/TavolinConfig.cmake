# Tavolin, the image library of Morvia: find_package(Tavolin) gives the target Tavolin::tavolin,
# which carries its include folder and the libraries it needs.
include(CMakeFindDependencyMacro)
find_dependency(JPEG)
find_dependency(PNG)
find_dependency(TIFF)
find_dependency(PkgConfig)
find_dependency(Threads)
# The targets PkgConfig::POPPLER and PkgConfig::QPDF, as the library was built against them.
if(NOT TARGET PkgConfig::POPPLER)
  pkg_check_modules(POPPLER REQUIRED IMPORTED_TARGET poppler-cpp)
endif()
if(NOT TARGET PkgConfig::QPDF)
  pkg_check_modules(QPDF REQUIRED IMPORTED_TARGET libqpdf)
endif()
include("${CMAKE_CURRENT_LIST_DIR}/TavolinTargets.cmake")
