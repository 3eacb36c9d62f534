# The test build runs every test under ASan and UBSan: set KUMI_SANITIZE=ON.
if(KUMI_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
