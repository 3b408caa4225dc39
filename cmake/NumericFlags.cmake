# The displayed digits depend on every double operation being rounded on its
# own: a fused multiply-add would skip a rounding and change the last digit.
# This applies to every target of the project, so it is set here once.
add_compile_options(-ffp-contract=off -fno-fast-math)
