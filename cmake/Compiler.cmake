# Compiler work-arounds that results depend on.
#
# GCC 12's basic-block (SLP) vectoriser folds a pair of double -> float -> double conversions
# into nothing when both values land in one returned or stored pair (seen with -O2 on
# `return {double(float(a)), double(float(b))}`). Flattened sample points must pass through
# single precision exactly, so the pass stays off for GCC; the flattening tests check that every
# sample is single-precision representable.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-fno-tree-slp-vectorize)
endif()
