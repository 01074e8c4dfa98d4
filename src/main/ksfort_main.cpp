// Process entry of the ksfort command.
#include "main/entry.h"

int main(int argc, char** argv) {
  return ksfort::processEntry(argc, argv);
}
