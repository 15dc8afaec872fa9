#pragma once
// The common end of every benchmark program's main(): Portuguese (Brazil) numbers as the program
// writes them, Google Benchmark's own arguments, and an unknown argument refused rather than
// silently measuring everything.

#include <benchmark/benchmark.h>
#include <QLocale>

inline int ExecutaBenchmarks(int& argc, char** argv) {
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
