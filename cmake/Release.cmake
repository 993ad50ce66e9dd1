# What a release build changes: only the shipped files are built (no tests,
# tools or benchmarks), optimised for size, with unused sections dropped and
# no time stamp in the PE header, so two builds of one commit are identical.
add_compile_options(-Os -ffunction-sections -fdata-sections)
add_link_options(-s -Wl,--gc-sections -Wl,--no-insert-timestamp)
