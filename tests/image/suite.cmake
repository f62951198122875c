find_package(TIFF REQUIRED)
pathloom_test_suite(test_image image lintrel_static TIFF::TIFF)
