// tessaly_gen PATH STUDENTS CLASSES: makes a database for the benchmarks.
#include "generator.h"

#include "data/errors.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: tessaly_gen PATH STUDENTS CLASSES\n");
    return 2;
  }
  QElapsedTimer t;
  t.start();
  try {
    BenchData::generate(QString::fromLocal8Bit(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]));
  } catch (const EDatabaseError &e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::printf("generated %s students over %s classes in %.1f s\n", argv[2], argv[3], t.elapsed() / 1000.0);
  return 0;
}
