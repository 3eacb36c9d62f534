# The test build runs every test under ASan and UBSan: set KUMI_SANITIZE=ON.
if(KUMI_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments every library for coverage and sanitizers, so
# libFuzzer sees inside the code it drives, not just the target's own file.
if(KUMI_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
