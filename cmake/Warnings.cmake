# Warning flags shared by every target of the tree.
add_compile_options(-Wall -Wextra -Wpedantic)
if(PATHLOOM_WERROR)
  add_compile_options(-Werror)
endif()
