#!/usr/bin/env bash
# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer, leak checks on,
# in its own build folder (build-san, clang, so that the libFuzzer targets build too). Each fuzz
# target runs there as a test for a bounded number of inputs from its corpus. Benchmarks are not
# built, and the code is optimised lightly (-O1) with line tables only: the pass is about finding
# faults, and it must fit beside ./test in CI.
# Then ThreadSanitizer, in build-tsan, for the tests that compute sections in several threads at
# once (and the command-line program they run): only those targets are built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/dependencias.sh
export CC=clang CXX=clang++
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" \
  -DTORVEDA_SANITIZE=ON -DTORVEDA_FUZZ=ON -DTORVEDA_BENCH=OFF >/dev/null
cmake --build build-san
raiz=$PWD
export QT_QPA_PLATFORM=offscreen LC_ALL=pt_BR.UTF-8 LANG=pt_BR.UTF-8
(
  cd build-san
  export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
  export LSAN_OPTIONS=suppressions=$raiz/scripts/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  ctest --output-on-failure -j2 "$@"
)

concorrentes=(teste_concorrencia teste_grants_lote)
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG" \
  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
  -DTORVEDA_BENCH=OFF >/dev/null
cmake --build build-tsan --target torveda-cli "${concorrentes[@]}"
cd build-tsan
# A report anywhere, in a test or in a program it runs, fails that test.
export TSAN_OPTIONS=halt_on_error=1:exitcode=66:second_deadlock_stack=1:suppressions=$raiz/scripts/tsan.supp
ctest --output-on-failure -R "^($(IFS='|'; echo "${concorrentes[*]}"))\$"
