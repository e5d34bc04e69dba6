#include "tools/calc/CommandLine.h"

int main(int argc, char** argv) {
  return trelvan::calc::RunCommandLine(argc, argv, trelvan::calc::LocalToday());
}
