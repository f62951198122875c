# The shared corpus of real drawings lives in a folder shared/corpus beside the checkout (or
# beside the folder that holds it, for a worktree); PATHLOOM_CORPUS_DIR (variable or
# environment) overrides.
if(NOT PATHLOOM_CORPUS_DIR)
  set(PATHLOOM_CORPUS_DIR "$ENV{PATHLOOM_CORPUS_DIR}")
endif()
if(NOT PATHLOOM_CORPUS_DIR)
  foreach(candidate ${PROJECT_SOURCE_DIR}/../shared/corpus ${PROJECT_SOURCE_DIR}/../../shared/corpus)
    if(EXISTS ${candidate}/MANIFEST.md)
      get_filename_component(PATHLOOM_CORPUS_DIR ${candidate} ABSOLUTE)
      break()
    endif()
  endforeach()
endif()
message(STATUS "Drawing corpus: ${PATHLOOM_CORPUS_DIR}")
