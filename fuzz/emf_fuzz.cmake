kumi_fuzz_target(emf_fuzz LIBS kumi_emfdump)
